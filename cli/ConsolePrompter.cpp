#include "cli/ConsolePrompter.h"

#include <iostream>

namespace kivo::cli {

Prompter::Answer ConsolePrompter::ask(const std::string& text, Buttons buttons, Icon,
                                      const std::string& title)
{
    std::cerr << "kivo-cli: " << (title.empty() ? "" : title + ": ") << text << '\n';
    switch (buttons) {
    case Buttons::okCancel:
        return Answer::cancel;
    case Buttons::yesNo:
        return Answer::no;
    case Buttons::ok:
        break;
    }
    return Answer::ok;
}

} // namespace kivo::cli
