#pragma once

#include <string>

namespace kivo {

// Modal message boxes. The texts are the panel's own, shown exactly as given.
class Prompter {
public:
    enum class Buttons { ok, okCancel, yesNo };
    enum class Icon { information, warning, error, question };
    enum class Answer { ok, cancel, yes, no };

    virtual ~Prompter() = default;
    virtual Answer ask(const std::string& text, Buttons buttons, Icon icon,
                       const std::string& title) = 0;

    // A Yes/No question whose answer on Enter is No: for a step that cannot be undone.
    virtual Answer askDefaultNo(const std::string& text, Icon icon, const std::string& title)
    {
        return ask(text, Buttons::yesNo, icon, title);
    }

    void tell(const std::string& text, const std::string& title = {})
    {
        ask(text, Buttons::ok, Icon::information, title);
    }
};

} // namespace kivo
