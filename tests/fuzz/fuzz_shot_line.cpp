#include "tests/fuzz/FuzzCheck.h"

#include "core/presentations/Shot.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using kivo::fuzz::check;

// The bytes are a stored shot line. What is read must be a shot the panel can use, and must
// write out to a line that reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto shot = kivo::parseShotLine(line);
    if (!shot)
        return 0;
    check(kivo::Shot::validMsecs(shot->msecs), "the hold time is in range");
    check(shot->name.find(kivo::Shot::shotNameDelimiter) == std::string::npos,
          "no name holds the delimiter");
    for (std::size_t i = 0; i < shot->rect.size(); ++i) {
        check(shot->rect[i] == shot->rect[i].normalized(), "every rectangle is normalised");
        check(shot->priority[i] >= 0 && shot->priority[i] <= kivo::Shot::windows,
              "every place is one of the stack's");
    }
    // Places with gaps close up on the first write; after that a shot reads back as written.
    const auto written = kivo::parseShotLine(kivo::formatShotLine(*shot));
    check(written.has_value(), "a written shot reads back");
    check(kivo::parseShotLine(kivo::formatShotLine(*written)) == written,
          "a written shot reads back the same");
    return 0;
}
