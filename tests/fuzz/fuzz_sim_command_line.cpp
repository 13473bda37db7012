#include "sim/QuadrixDevice.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The first byte chooses the device (window count 2..10, paging on or off); the rest is what
// it receives, handed over in pieces cut at 0xff as a line delivers them, with the output
// taken after each.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    kivo::sim::QuadrixOptions options;
    options.windowCount = 2 + 2 * (data[0] % 5);
    options.pageLines = (data[0] & 0x80) != 0 ? 0 : 1 + (data[0] >> 3) % 20;
    kivo::sim::QuadrixDevice device(options);

    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    while (!input.empty()) {
        const std::size_t cut = input.find('\xff');
        device.receive(input.substr(0, cut));
        device.takeOutput();
        input.remove_prefix(cut == std::string_view::npos ? input.size() : cut + 1);
    }
    return 0;
}
