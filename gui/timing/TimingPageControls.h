#pragma once

#include "gui/base/CheckedEdit.h"

#include "core/base/Strings.h"

#include <functional>
#include <string>

class QGroupBox;
class QPushButton;
class QWidget;

namespace kivo::gui {

// Controls the Output and Inputs pages have alike.
QPushButton* makePageButton(StringId caption, int id, QWidget* parent);
// An Add box that holds at most `characters` characters.
CheckedEdit* makeAddBox(int id, CheckedEdit::Mode mode, int characters, QWidget* parent);
// The Add group: the setting number and name boxes and the Add button.
struct AddGroup {
    QGroupBox* group;
    CheckedEdit* number;
    CheckedEdit* name;
    QPushButton* add;
};
AddGroup createAddGroup(StringId caption, int numberId, StringId nameLabel, QWidget* parent);
// The timing group: Interactive Adjustment and Advanced, which open the page's dialogs.
struct TimingGroup {
    QGroupBox* group;
    QPushButton* interactiveAdjustment;
    QPushButton* advanced;
};
TimingGroup createTimingGroup(StringId caption, int interactiveAdjustmentId, QWidget* parent);
// Shows a text the page model gave the box; the operator has not typed it.
void showAddBox(CheckedEdit& box, const std::string& text);
// "Load List Settings From: " with its Quadrix (checked) and Kivo radios; `load` gets true
// for the Quadrix.
QGroupBox* createListSourceGroup(QWidget* parent, std::function<void(bool)> load);

} // namespace kivo::gui
