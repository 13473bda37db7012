#include "gui/screen/ArrangementIcon.h"

#include "core/screen/CanvasScene.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace kivo::gui {
namespace {

// The layouts are worked out on an output of this shape and scaled into the icon.
constexpr unsigned pictureWidth = 640;
constexpr unsigned pictureHeight = 480;
constexpr double disabledOpacity = 0.4;

QColor toQt(const Colour& colour) { return QColor(colour.red, colour.green, colour.blue); }

} // namespace

ArrangementIcon::ArrangementIcon(Preset preset, unsigned windowCount)
    : preset_(preset), windowCount_(windowCount)
{
}

void ArrangementIcon::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    const double scale = std::min(rect.width() / static_cast<double>(pictureWidth),
                                  rect.height() / static_cast<double>(pictureHeight));
    const QRectF screen(0, 0, pictureWidth * scale, pictureHeight * scale);
    painter->save();
    painter->translate(rect.center() - screen.center());
    if (mode == QIcon::Disabled)
        painter->setOpacity(disabledOpacity);
    painter->fillRect(screen, toQt(canvasColours::white));
    QPen edge(toQt(canvasColours::white), 1);
    edge.setCosmetic(true);
    painter->setPen(edge);
    const std::vector<Placement> placements =
        presetPlacements(preset_, windowCount_, pictureWidth, pictureHeight);
    // The front window comes first and is drawn last, over the others.
    for (std::size_t k = placements.size(); k-- > 0;) {
        const Placement& p = placements[k];
        const QRectF window(p.left * scale, p.top * scale, p.width * scale, p.height * scale);
        painter->setBrush(toQt(k == 0 ? canvasColours::active : canvasColours::inactive));
        painter->drawRect(window);
    }
    painter->setPen(toQt(canvasColours::black));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(screen.adjusted(0.5, 0.5, -0.5, -0.5));
    painter->restore();
}

QPixmap ArrangementIcon::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
}

QIconEngine* ArrangementIcon::clone() const { return new ArrangementIcon(*this); }

} // namespace kivo::gui
