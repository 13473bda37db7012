#pragma once

#include "gui/app/PropertyPage.h"
#include "gui/timing/TimingListView.h"

namespace kivo::gui {

// The Quadrix Inputs page: each window's input timing and the input timing list. The list is
// shown; the rest of its controls are still to come.
class CPage6 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 6;

    explicit CPage6(QWidget* parent);

    TimingListView& listView() { return *listView_; }

private:
    TimingListView* listView_;
};

} // namespace kivo::gui
