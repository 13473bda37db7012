#pragma once

#include <QComboBox>

namespace kivo::gui {

// A drop-down list that says when its list opens and closes, so a page can change the
// selection around the operator's choice.
class DropDownList final : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent) : QComboBox(parent) {}

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void droppedDown();
    void closedUp();
};

} // namespace kivo::gui
