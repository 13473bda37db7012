#include "gui/base/ArrowPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QTransform>

namespace kivo::gui {
namespace {

// Which way the arrow points, as the degrees it is turned from pointing right.
int rotationOf(ArrowPicture::Direction direction)
{
    switch (direction) {
    case ArrowPicture::Direction::left:
        return 180;
    case ArrowPicture::Direction::up:
        return 270;
    case ArrowPicture::Direction::down:
        return 90;
    case ArrowPicture::Direction::right:
        break;
    }
    return 0;
}

// An arrow pointing right in a unit square centred on the origin: a shaft and a head.
QPainterPath rightArrow()
{
    QPainterPath path;
    path.moveTo(-0.40, -0.12);
    path.lineTo(0.02, -0.12);
    path.lineTo(0.02, -0.34);
    path.lineTo(0.42, 0.0);
    path.lineTo(0.02, 0.34);
    path.lineTo(0.02, 0.12);
    path.lineTo(-0.40, 0.12);
    path.closeSubpath();
    return path;
}

} // namespace

void ArrowPicture::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    const QPalette palette = QGuiApplication::palette();
    const bool grey = hollow_ || mode == QIcon::Disabled;
    const QColor ink = grey ? palette.color(QPalette::Disabled, QPalette::WindowText)
                            : palette.color(QPalette::Active, QPalette::WindowText);
    const qreal side = qMin(rect.width(), rect.height());
    QTransform transform;
    transform.translate(rect.center().x() + 0.5, rect.center().y() + 0.5);
    transform.scale(side, side);
    transform.rotate(rotationOf(direction_));
    const QPainterPath arrow = transform.map(rightArrow());

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(ink, qMax<qreal>(1.0, side / 16)));
    painter->setBrush(hollow_ ? Qt::NoBrush : QBrush(ink));
    painter->drawPath(arrow);
    painter->restore();
}

QPixmap ArrowPicture::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
}

QIconEngine* ArrowPicture::clone() const { return new ArrowPicture(*this); }

} // namespace kivo::gui
