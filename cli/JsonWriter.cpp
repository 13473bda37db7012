#include "cli/JsonWriter.h"

#include "core/base/CNumbers.h"

#include <cmath>
#include <cstdio>

namespace kivo::cli {

void JsonWriter::key(std::string_view name)
{
    if (!first_)
        text_ += ',';
    first_ = false;
    if (!name.empty()) {
        quoted(name);
        text_ += ':';
    }
}

void JsonWriter::open(std::string_view name, char bracket)
{
    key(name);
    text_ += bracket;
    first_ = true;
}

void JsonWriter::close(char bracket)
{
    text_ += bracket;
    first_ = false;
}

void JsonWriter::value(std::string_view name, std::string_view text)
{
    key(name);
    quoted(text);
}

void JsonWriter::value(std::string_view name, long number)
{
    key(name);
    text_ += std::to_string(number);
}

void JsonWriter::value(std::string_view name, double number)
{
    key(name);
    // JSON has no infinities and no NaN.
    if (!std::isfinite(number)) {
        text_ += "null";
        return;
    }
    text_ += formatPrintf("%.6g", number);
}

void JsonWriter::value(std::string_view name, bool flag)
{
    key(name);
    text_ += flag ? "true" : "false";
}

// Device text may hold any byte: control characters and quotes are escaped, bytes above
// 0x7E are written as \u00XX so the output is plain ASCII whatever the device sent.
void JsonWriter::quoted(std::string_view text)
{
    text_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            text_ += escaped;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

} // namespace kivo::cli
