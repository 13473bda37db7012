#pragma once

#include "core/base/Strings.h"

#include <QString>

#include <string>

namespace kivo::gui {

// A string-table text as Qt shows it.
inline QString qtString(StringId id)
{
    const std::string_view text = loadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text the core made, as Qt shows it.
inline QString qtText(const std::string& text) { return QString::fromStdString(text); }

} // namespace kivo::gui
