#include "gui/timing/TimingListView.h"

#include "gui/base/ControlId.h"
#include "gui/base/SharedFont.h"
#include "gui/timing/DropDownList.h"
#include "gui/timing/TimingPageIds.h"

#include "core/timing/TimingText.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = timingPageIds;

// Between the edge of a list's text field and its first character.
constexpr int textMargin = 1;

} // namespace

TimingListView::TimingListView(QWidget* parent)
    : QWidget(parent), header_(withId(new QLabel(QString::fromStdString(timingListHeader()), this),
                                      ids::listHeader)),
      rows_(withId(new DropDownList(this), ids::list))
{
    // The rows are columns of figures: they line up only in a fixed-pitch font.
    header_->setFont(sharedFont());
    rows_->setFont(sharedFont());
    rows_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    rows_->setMaxVisibleItems(20);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(header_);
    layout->addWidget(rows_);
}

void TimingListView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The header's columns start where the rows' text does, inside the list's frame.
    QStyleOptionComboBox option;
    option.initFrom(rows_);
    const QRect field = rows_->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, rows_);
    header_->setIndent(field.left() + textMargin);
}

void TimingListView::showRows(const std::vector<std::string>& rows, int shownRow)
{
    // Refilled only when the rows changed, so an open list keeps its place.
    if (rows != shown_) {
        const QSignalBlocker quiet(rows_);
        rows_->clear();
        for (const std::string& row : rows)
            rows_->addItem(QString::fromStdString(row));
        shown_ = rows;
    }
    rows_->setCurrentIndex(shownRow < rows_->count() ? shownRow : -1);
}

} // namespace kivo::gui
