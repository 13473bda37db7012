#pragma once

#include "core/image/SourceSteps.h"

#include <QIconEngine>

namespace kivo::gui {

// The picture on a pan button: an arrow pointing the way the source moves, drawn plain, or
// hollow and grey once the source has reached that edge of the input. It is painted for
// whatever size and pixel ratio the button asks, so it stays sharp on every screen.
class ArrowPicture final : public QIconEngine {
public:
    explicit ArrowPicture(ArrowIcon icon);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    ArrowIcon icon_;
};

} // namespace kivo::gui
