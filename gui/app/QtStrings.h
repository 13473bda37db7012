#pragma once

#include "core/app/Strings.h"

#include <QString>

namespace kivo::gui {

// A string-table text as Qt shows it.
inline QString qtString(StringId id)
{
    const std::string_view text = loadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kivo::gui
