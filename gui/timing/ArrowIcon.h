#pragma once

#include <QIconEngine>

namespace kivo::gui {

// A plain arrow for the adjustment dialogs' buttons, drawn for whatever size and pixel ratio
// the button asks, so it stays sharp on every screen.
class ArrowIcon final : public QIconEngine {
public:
    enum class Direction { left, right, up, down };

    explicit ArrowIcon(Direction direction) : direction_(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    Direction direction_;
};

} // namespace kivo::gui
