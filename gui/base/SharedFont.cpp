#include "gui/base/SharedFont.h"

namespace kivo::gui {
namespace {

QFont courier(int pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace

QFont sharedFont() { return courier(12, QFont::Normal); }

QFont bannerFont(bool italic)
{
    QFont font = courier(20, QFont::Bold);
    font.setItalic(italic);
    return font;
}

} // namespace kivo::gui
