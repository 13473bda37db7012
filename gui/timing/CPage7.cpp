#include "gui/timing/CPage7.h"

#include <QVBoxLayout>

namespace kivo::gui {

CPage7::CPage7(QWidget* parent)
    : PropertyPage(StringId::quadrixOutputCaption, helpContextId, parent),
      listView_(new TimingListView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listView_);
}

} // namespace kivo::gui
