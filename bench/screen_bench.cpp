// Measures the Virtual Screen's canvas widget: from the release of a drag to the placement
// commands handed to the link (median and 99th percentile over 1000 drags), and the time to
// paint the canvas with ten overlapping windows at device-pixel ratios 1 and 2. Goals: release
// to link at most 1 ms at the median; a full paint at most 2 ms.

#include "cli/HeadlessSeams.h"
#include "core/base/BusyHandler.h"
#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/SteadyClock.h"
#include "core/link/Link.h"
#include "core/panel/PanelSession.h"
#include "core/screen/VirtualScreen.h"
#include "gui/screen/CanvasWidget.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace kivo::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A device that takes every command at once and notes when the last placement arrived.
class StampingLink final : public Link {
public:
    long write(std::string_view bytes) override
    {
        if (bytes.starts_with("wdr")) {
            lastPlacement = Clock::now();
            ++placements;
        }
        return static_cast<long>(bytes.size());
    }
    long read(std::span<char>) override { return 0; }
    int readTimeoutMs() const override { return 1; }
    std::string errorText() const override { return {}; }
    std::size_t purgeReceive() override { return 0; }
    void close() override {}
    Clock::time_point lastPlacement;
    int placements = 0;
};

class AnswerOk final : public Prompter {
public:
    Answer ask(const std::string&, Buttons, Icon, const std::string&) override
    {
        return Answer::ok;
    }
};

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Figures {
    double median;
    double p99;
};

Figures summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

// Ten windows on a 1024 x 768 output, each overlapping the next.
void layOut(DeviceMirror& mirror)
{
    mirror.windowCount = 10;
    mirror.outputTiming.HACT = mirror.outputWidth = 1024;
    mirror.outputTiming.VACT = mirror.outputHeight = 768;
    mirror.firmwareRevision = 3.1;
    for (int n = 1; n <= 10; ++n) {
        WindowRecord& w = mirror.window(n);
        w.present = true;
        w.priority = n;
        w.viewRect = {11 + 18 * n, 19 + 12 * n, 11 + 18 * n + 150, 19 + 12 * n + 110};
        w.description = "Camera " + std::to_string(n);
    }
}

Figures measureDrags(gui::CanvasWidget& canvas, StampingLink& link, int drags)
{
    const QTransform toWidget = canvas.canvasTransform();
    std::vector<double> samples;
    for (int i = 0; i < drags; ++i) {
        // Grab the front window by its middle and move it a little, back and forth.
        const QPoint grab = toWidget.map(QPointF(110, 100)).toPoint();
        const QPoint drop = grab + QPoint(i % 2 ? -6 : 6, 0);
        QTest::mousePress(&canvas, Qt::LeftButton, {}, grab);
        QTest::mouseMove(&canvas, drop);
        const Clock::time_point released = Clock::now();
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, drop);
        samples.push_back(microseconds(link.lastPlacement - released));
    }
    return summarise(samples);
}

Figures measurePaints(gui::CanvasWidget& canvas, qreal ratio, int paints)
{
    QImage image(canvas.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    std::vector<double> samples;
    for (int i = 0; i < paints; ++i) {
        const Clock::time_point start = Clock::now();
        canvas.render(&image);
        samples.push_back(microseconds(Clock::now() - start));
    }
    return summarise(samples);
}

int run(int argc, char** argv)
{
    QApplication application(argc, argv);
    test::TempDir dir;
    SteadyClock clock;
    cli::NoKeysHeld keys;
    AnswerOk prompter;
    cli::ExitWithStatus processExit(1);
    BusyHandler busy;
    PanelPages pages;
    ProgressSink progress;
    PanelSession session(
        {dir.file("Kivo.ini"), std::string("bench"), dir.file("Kivolog.txt").string()},
        {clock, keys, prompter, processExit, busy, pages, progress});
    auto link = std::make_unique<StampingLink>();
    StampingLink& stamps = *link;
    session.app().serialHandle = std::move(link);
    session.app().idle = true;
    layOut(session.mirror());
    VirtualScreen screen(session);
    gui::CanvasWidget canvas(session, screen, nullptr);
    canvas.resize(canvas.sizeHint());
    canvas.show();
    QApplication::processEvents();

    const Figures drag = measureDrags(canvas, stamps, 1000);
    std::printf("release-to-link drags=1000 placements=%d median_us=%.1f p99_us=%.1f "
                "goal_median_us=1000\n",
                stamps.placements, drag.median, drag.p99);
    for (const qreal ratio : {1.0, 2.0}) {
        const Figures paint = measurePaints(canvas, ratio, 1000);
        std::printf("paint windows=10 ratio=%.0f size=%dx%d median_us=%.1f p99_us=%.1f "
                    "goal_us=2000\n",
                    ratio, canvas.width(), canvas.height(), paint.median, paint.p99);
    }
    return 0;
}

} // namespace
} // namespace kivo::bench

int main(int argc, char** argv) { return kivo::bench::run(argc, argv); }
