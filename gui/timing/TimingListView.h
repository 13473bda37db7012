#pragma once

#include <QWidget>

class QComboBox;
class QLabel;

namespace kivo {
struct TimingList;
}

namespace kivo::gui {

// A timing list as the Output and Inputs pages show it: the column header over a drop-down
// list of fixed-pitch rows, one per setting.
class TimingListView final : public QWidget {
    Q_OBJECT
public:
    explicit TimingListView(QWidget* parent);

    void showRows(const TimingList& list);
    QComboBox& rows() { return *rows_; }
    QLabel& header() { return *header_; }

private:
    QLabel* header_;
    QComboBox* rows_;
};

} // namespace kivo::gui
