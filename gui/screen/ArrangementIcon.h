#pragma once

#include "core/screen/PresetArrangements.h"

#include <QIconEngine>

namespace kivo::gui {

// The picture on an Arrange button: where the preset puts each of the device's windows, the
// front one in the canvas's active colour. It is drawn for whatever size and pixel ratio the
// button asks, so it stays sharp on every screen.
class ArrangementIcon final : public QIconEngine {
public:
    ArrangementIcon(Preset preset, unsigned windowCount);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    Preset preset_;
    unsigned windowCount_;
};

} // namespace kivo::gui
