#include "gui/timing/ArrowIcon.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>

namespace kivo::gui {
namespace {

constexpr double disabledOpacity = 0.4;

// Rotation that turns the right-pointing arrow into each direction.
double degreesFor(ArrowIcon::Direction direction)
{
    switch (direction) {
    case ArrowIcon::Direction::left:
        return 180;
    case ArrowIcon::Direction::up:
        return 270;
    case ArrowIcon::Direction::down:
        return 90;
    case ArrowIcon::Direction::right:
        break;
    }
    return 0;
}

} // namespace

void ArrowIcon::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    const double side = std::min(rect.width(), rect.height());
    // A right arrow on a square of side 2 around the origin: a shaft and a head.
    const QPolygonF arrow{{-0.8, -0.25}, {0.05, -0.25}, {0.05, -0.7}, {0.85, 0.0},
                          {0.05, 0.7},   {0.05, 0.25},  {-0.8, 0.25}};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(QRectF(rect).center());
    painter->scale(side / 2, side / 2);
    painter->rotate(degreesFor(direction_));
    if (mode == QIcon::Disabled)
        painter->setOpacity(disabledOpacity);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QPalette().color(QPalette::ButtonText));
    painter->drawPolygon(arrow);
    painter->restore();
}

QPixmap ArrowIcon::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
}

QIconEngine* ArrowIcon::clone() const { return new ArrowIcon(*this); }

} // namespace kivo::gui
