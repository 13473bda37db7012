#include "tests/fuzz/FuzzCheck.h"

#include "core/output/ChromaKey.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using kivo::fuzz::check;

// The bytes are the device's answer to "ckc" or "ck". The limits read must be ones the
// dialog's trackbars can show and the device would take back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    kivo::parseChromaKeyOn(reply);
    const kivo::ChromaKeyLimits limits = kivo::parseChromaKeyLimits(reply);
    for (std::size_t i = 0; i < limits.values.size(); i += 2) {
        check(limits.values[i] >= kivo::ChromaKeyLimits::lowest, "a minimum is in range");
        check(limits.values[i + 1] <= kivo::ChromaKeyLimits::highest, "a maximum is in range");
        check(limits.values[i] <= limits.values[i + 1], "a minimum never passes its maximum");
    }
    return 0;
}
