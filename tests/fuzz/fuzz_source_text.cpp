#include "tests/fuzz/FuzzCheck.h"

#include "core/image/SourceSteps.h"
#include "core/protocol/NumberScan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using kivo::fuzz::check;

namespace {

std::string textOf(const kivo::SourceRequest& r)
{
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.width) +
           " " + std::to_string(r.height);
}

} // namespace

// The bytes are what the operator typed into the Source Rectangle box, or the operands of
// kivo-cli source. Only text of exactly four numbers is a rectangle, and a rectangle read
// reads the same again from its own numbers, however large the typed ones were.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<kivo::SourceRequest> request = kivo::parseSourceText(text);
    check(request.has_value() == (kivo::countNumbers(text, 0) == 4),
          "a rectangle is exactly four numbers");
    if (request)
        check(kivo::parseSourceText(textOf(*request)) == request,
              "a rectangle reads back from its own numbers");
    return 0;
}
