#pragma once

#include "core/base/Rect.h"
#include "core/screen/CanvasMouse.h"

#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <functional>

class QPainter;

namespace kivo {
class Clock;
class PanelSession;
class VirtualScreen;
struct CanvasLabel;
struct DeviceMirror;
struct DrawnWindow;
} // namespace kivo

namespace kivo::gui {

// The picture of the output screen. It draws the canvas scene the core builds from the mirror,
// scaled to fit the widget through one transform, and hands every mouse event back to the
// core's canvas mouse in canvas pixels; it never decides what a click does.
class CanvasWidget final : public QWidget {
    Q_OBJECT
public:
    // The pending swap marker blinks at this pace.
    static constexpr int blinkIntervalMs = 300;

    CanvasWidget(PanelSession& session, VirtualScreen& screen, QWidget* parent);

    // Canvas pixels to widget pixels at the widget's present size: scaled to fit, centred.
    QTransform canvasTransform() const;
    // The canvas pixel under a widget point.
    Point canvasPoint(const QPointF& widgetPoint) const;

    CanvasMouse& mouse() { return mouse_; }
    // While this says a presentation plays, the canvas only shows it: the mouse changes
    // nothing and no window is drawn active or ready to swap.
    void setPlaying(std::function<bool()> playing) { playing_ = std::move(playing); }
    const QTimer& blinkTimer() const { return blinkTimer_; }

    // Draws the mirror again; the blink runs exactly while a swap marker waits for a partner.
    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // After every mouse event: stacking or switching may have changed.
    void windowsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void paintWindow(QPainter& painter, const DrawnWindow& window) const;
    void paintLabel(QPainter& painter, const CanvasLabel& label) const;
    void paintDragFrame(QPainter& painter) const;
    void paintHiddenOutlines(QPainter& painter) const;
    void showCursorAt(Point point);
    void loseCapture();
    void mouseHandled();

    DeviceMirror& mirror_;
    VirtualScreen& screen_;
    Clock& clock_;
    CanvasMouse mouse_;
    QTimer blinkTimer_;
    std::function<bool()> playing_ = [] { return false; };
};

} // namespace kivo::gui
