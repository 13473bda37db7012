#pragma once

#include "core/base/Prompter.h"

#include <QString>

namespace kivo::gui {

// Message boxes as QMessageBox, over whichever panel window is active.
class QtPrompter final : public Prompter {
public:
    // `defaultTitle` heads every box that brings no title of its own.
    explicit QtPrompter(QString defaultTitle);

    Answer ask(const std::string& text, Buttons buttons, Icon icon,
               const std::string& title) override;
    Answer askDefaultNo(const std::string& text, Icon icon, const std::string& title) override;

private:
    Answer show(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                bool noByDefault);

    QString defaultTitle_;
};

} // namespace kivo::gui
