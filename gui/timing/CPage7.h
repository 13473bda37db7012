#pragma once

#include "gui/app/PropertyPage.h"
#include "gui/timing/TimingListView.h"

namespace kivo::gui {

// The Quadrix Output page: the output timing and the output timing list. The list is shown;
// the rest of its controls are still to come.
class CPage7 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 5;

    explicit CPage7(QWidget* parent);

    TimingListView& listView() { return *listView_; }

private:
    TimingListView* listView_;
};

} // namespace kivo::gui
