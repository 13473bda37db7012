#pragma once

#include <QIconEngine>

namespace kivo::gui {

// The picture on an arrow button: an arrow pointing one way, filled, or hollow and grey for a
// way that goes no further. It is painted for whatever size and pixel ratio the button asks,
// so it stays sharp on every screen.
class ArrowPicture final : public QIconEngine {
public:
    enum class Direction { left, right, up, down };

    explicit ArrowPicture(Direction direction, bool hollow = false)
        : direction_(direction), hollow_(hollow)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    Direction direction_;
    bool hollow_;
};

} // namespace kivo::gui
