#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLabel;

namespace kivo::gui {

class DropDownList;

// A timing list as the Output and Inputs pages show it: the column header over a drop-down
// list of fixed-pitch rows, one per setting.
class TimingListView final : public QWidget {
    Q_OBJECT
public:
    explicit TimingListView(QWidget* parent);

    // The rows, with `shownRow` selected (-1 none).
    void showRows(const std::vector<std::string>& rows, int shownRow);
    DropDownList& rows() { return *rows_; }
    QLabel& header() { return *header_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* header_;
    DropDownList* rows_;
    std::vector<std::string> shown_;
};

} // namespace kivo::gui
