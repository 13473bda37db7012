#pragma once

#include "core/base/Prompter.h"

namespace kivo::cli {

// Message boxes of a headless run: the text goes to stderr. Nobody is there to answer, so a
// question gets the answer that changes nothing (Cancel, No), unless the action typed on the
// command line is the operator's answer already.
class ConsolePrompter final : public Prompter {
public:
    Answer ask(const std::string& text, Buttons buttons, Icon icon,
               const std::string& title) override;
    // Questions are answered Yes (or OK) from now on.
    void confirmQuestions() { confirm_ = true; }

private:
    bool confirm_ = false;
};

} // namespace kivo::cli
