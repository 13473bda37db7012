#include "gui/timing/TimingListView.h"

#include "gui/app/QtStrings.h"
#include "gui/app/SharedFont.h"

#include "core/timing/TimingList.h"
#include "core/timing/TimingText.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kivo::gui {

TimingListView::TimingListView(QWidget* parent)
    : QWidget(parent), header_(new QLabel(QString::fromStdString(timingListHeader()), this)),
      rows_(new QComboBox(this))
{
    // The rows are columns of figures: they line up only in a fixed-pitch font.
    header_->setFont(sharedFont());
    rows_->setFont(sharedFont());
    rows_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header_);
    layout->addWidget(rows_);
    layout->addStretch(1);
}

void TimingListView::showRows(const TimingList& list)
{
    rows_->clear();
    for (const std::string& row : list.rows)
        rows_->addItem(QString::fromStdString(row));
    rows_->setCurrentIndex(list.selection);
}

} // namespace kivo::gui
