#include "cli/ConsolePrompter.h"

#include "cli/ConsoleReply.h"

#include <iostream>

namespace kivo::cli {

Prompter::Answer ConsolePrompter::ask(const std::string& text, Buttons buttons, Icon,
                                      const std::string& title)
{
    // A question the command line has answered already is not put.
    if (!confirm_ || buttons == Buttons::ok)
        std::cerr << "kivo-cli: " << (title.empty() ? "" : title + ": ") << oneLine(text) << '\n';
    switch (buttons) {
    case Buttons::okCancel:
        return confirm_ ? Answer::ok : Answer::cancel;
    case Buttons::yesNo:
        return confirm_ ? Answer::yes : Answer::no;
    case Buttons::ok:
        break;
    }
    return Answer::ok;
}

} // namespace kivo::cli
