#include "gui/screen/CanvasWidget.h"

#include "core/base/Clock.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/panel/PanelSession.h"
#include "core/screen/CanvasScene.h"
#include "core/screen/VirtualScreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kivo::gui {
namespace {

using canvas::canvasRect;

// The label faces, in canvas pixels: the title in the application's own face, the stacking
// place a little larger than the coordinates and the description below it.
constexpr int systemFontPixels = 12;
constexpr int labelFontPixels = 12;
constexpr int smallFontPixels = 10;

QRectF toQt(const Rect& rect) { return QRectF(rect.left, rect.top, rect.width(), rect.height()); }

QColor toQt(const Colour& colour) { return QColor(colour.red, colour.green, colour.blue); }

QFont fontFor(LabelFont face)
{
    QFont font = QApplication::font();
    switch (face) {
    case LabelFont::system:
        font.setPixelSize(systemFontPixels);
        break;
    case LabelFont::label:
        font.setPixelSize(labelFontPixels);
        break;
    case LabelFont::small:
        font.setPixelSize(smallFontPixels);
        break;
    }
    return font;
}

// A line along the outermost canvas pixels of `rect`, as a focus or drag frame runs.
QRectF alongEdge(const Rect& rect)
{
    return QRectF(rect.left + 0.5, rect.top + 0.5, rect.width() - 1, rect.height() - 1);
}

// A one-canvas-pixel frame just inside `rect`.
void outline(QPainter& painter, const Rect& rect, const QColor& colour)
{
    const int w = rect.width();
    const int h = rect.height();
    painter.fillRect(QRectF(rect.left, rect.top, w, 1), colour);
    painter.fillRect(QRectF(rect.left, rect.bottom - 1, w, 1), colour);
    painter.fillRect(QRectF(rect.left, rect.top, 1, h), colour);
    painter.fillRect(QRectF(rect.right - 1, rect.top, 1, h), colour);
}

Qt::CursorShape cursorFor(Handle handle)
{
    switch (handle) {
    case Handle::topLeft:
    case Handle::bottomRight:
        return Qt::SizeFDiagCursor;
    case Handle::topRight:
    case Handle::bottomLeft:
        return Qt::SizeBDiagCursor;
    case Handle::top:
    case Handle::bottom:
        return Qt::SizeVerCursor;
    case Handle::right:
    case Handle::left:
        return Qt::SizeHorCursor;
    case Handle::middle:
        return Qt::SizeAllCursor;
    case Handle::none:
        break;
    }
    return Qt::ArrowCursor;
}

// Drawn so it shows on every colour the canvas has: each pixel it covers is inverted.
QPen invertingPen(Qt::PenStyle style)
{
    QPen pen(Qt::white, 0, style);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

CanvasWidget::CanvasWidget(PanelSession& session, VirtualScreen& screen, QWidget* parent)
    : QWidget(parent), mirror_(session.mirror()), screen_(screen), clock_(session.seams().clock),
      mouse_(session.mirror(), session.app(), screen)
{
    setMouseTracking(true);
    // The canvas takes the focus on a click so that Escape can cancel a drag.
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    blinkTimer_.setInterval(blinkIntervalMs);
    // The phase comes from the clock when painting; the timer only asks for a paint.
    connect(&blinkTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

QTransform CanvasWidget::canvasTransform() const
{
    const double scale = std::min(width() / static_cast<double>(canvasRect.width()),
                                  height() / static_cast<double>(canvasRect.height()));
    QTransform transform;
    transform.translate((width() - canvasRect.width() * scale) / 2,
                        (height() - canvasRect.height() * scale) / 2);
    transform.scale(scale, scale);
    transform.translate(-canvasRect.left, -canvasRect.top);
    return transform;
}

Point CanvasWidget::canvasPoint(const QPointF& widgetPoint) const
{
    const QPointF point = canvasTransform().inverted().map(widgetPoint);
    return {static_cast<int>(std::floor(point.x())), static_cast<int>(std::floor(point.y()))};
}

void CanvasWidget::refresh()
{
    if (mirror_.blinkEnabled == 0)
        blinkTimer_.stop();
    else if (!blinkTimer_.isActive())
        blinkTimer_.start();
    update();
}

QSize CanvasWidget::sizeHint() const { return {canvasRect.width(), canvasRect.height()}; }

QSize CanvasWidget::minimumSizeHint() const
{
    return {canvasRect.width() / 2, canvasRect.height() / 2};
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    const CanvasScene scene = buildCanvasScene(
        mirror_,
        {.sizingMarkers = screen_.sizingMarkers(), .playing = playing_(), .nowMs = clock_.nowMs()});
    QPainter painter(this);
    painter.setTransform(canvasTransform());
    painter.setClipRect(toQt(scene.clip));
    for (const DrawnWindow& window : scene.windows)
        paintWindow(painter, window);
    paintHiddenOutlines(painter);
    paintDragFrame(painter);
}

void CanvasWidget::paintWindow(QPainter& painter, const DrawnWindow& window) const
{
    painter.fillRect(toQt(window.frame), toQt(window.frameColour));
    painter.fillRect(toQt(window.inner), toQt(canvasColours::white));
    if (window.sourceFrame)
        outline(painter, *window.sourceFrame, toQt(window.sourceColour));
    for (const CanvasLabel& label : window.labels)
        paintLabel(painter, label);
    if (window.marker)
        painter.fillRect(toQt(*window.marker), toQt(window.markerColour));
    for (const Rect& handle : window.handles)
        painter.fillRect(toQt(handle), toQt(canvasColours::black));
}

void CanvasWidget::paintLabel(QPainter& painter, const CanvasLabel& label) const
{
    painter.save();
    painter.setClipRect(toQt(label.clip), Qt::IntersectClip);
    painter.setFont(fontFor(label.font));
    painter.setPen(toQt(canvasColours::black));
    painter.drawText(QPointF(label.baseline.x, label.baseline.y),
                     QString::fromStdString(label.text));
    painter.restore();
}

void CanvasWidget::paintDragFrame(QPainter& painter) const
{
    const auto frame = mouse_.dragFrame();
    if (!frame)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(invertingPen(Qt::SolidLine));
    painter.drawRect(alongEdge(*frame));
    painter.restore();
}

void CanvasWidget::paintHiddenOutlines(QPainter& painter) const
{
    const auto& hidden = mouse_.hiddenOutlines();
    if (!hidden)
        return;
    painter.save();
    painter.setClipRect(toQt(hidden->clip), Qt::IntersectClip);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(invertingPen(Qt::DotLine));
    for (const Rect& rect : hidden->outlines)
        painter.drawRect(alongEdge(rect));
    painter.restore();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    if (playing_())
        return;
    const Point point = canvasPoint(event->position());
    if (event->button() == Qt::LeftButton)
        mouse_.press(point);
    else if (event->button() == Qt::RightButton)
        mouse_.rightPress(point);
    else
        return QWidget::mousePressEvent(event);
    mouseHandled();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    const Point point = canvasPoint(event->position());
    if (mouse_.dragging()) {
        mouse_.move(point);
        update();
    } else if (event->buttons() == Qt::NoButton) {
        showCursorAt(point);
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const Point point = canvasPoint(event->position());
    if (event->button() == Qt::LeftButton)
        mouse_.release(point);
    else if (event->button() == Qt::RightButton)
        mouse_.rightRelease();
    else
        return QWidget::mouseReleaseEvent(event);
    showCursorAt(point);
    mouseHandled();
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || playing_())
        return QWidget::mouseDoubleClickEvent(event);
    mouse_.doubleClick(canvasPoint(event->position()));
    mouseHandled();
}

void CanvasWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || !mouse_.dragging())
        return QWidget::keyPressEvent(event);
    mouse_.escape();
    mouseHandled();
}

void CanvasWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    loseCapture();
}

void CanvasWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    loseCapture();
}

// Another window took the mouse (a message box, a page switched from the keyboard) while a
// button was down.
void CanvasWidget::loseCapture()
{
    if (!mouse_.dragging())
        return;
    mouse_.captureLost();
    mouseHandled();
}

void CanvasWidget::showCursorAt(Point point)
{
    setCursor(playing_() ? Qt::ArrowCursor : cursorFor(mouse_.handleAt(point)));
}

void CanvasWidget::mouseHandled()
{
    refresh();
    Q_EMIT windowsChanged();
}

} // namespace kivo::gui
