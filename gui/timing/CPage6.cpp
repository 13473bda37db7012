#include "gui/timing/CPage6.h"

#include <QVBoxLayout>

namespace kivo::gui {

CPage6::CPage6(QWidget* parent)
    : PropertyPage(StringId::quadrixInputsCaption, helpContextId, parent),
      listView_(new TimingListView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listView_);
}

} // namespace kivo::gui
