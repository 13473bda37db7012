#include "tests/fuzz/FuzzCheck.h"

#include "core/mirror/DeviceReplies.h"
#include "core/mirror/WindowReplies.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using kivo::fuzz::check;

// The first byte chooses the window count the mirror holds (1..10); the rest is the reply,
// given to every parser of the device's window and device replies.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const unsigned windowCount = 1 + data[0] % kivo::DeviceMirror::maxWindows;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);

    const kivo::WindowTypes types = kivo::parseWindowTypes(reply);
    check(types.count >= 1 && types.count <= kivo::DeviceMirror::maxWindows,
          "window count in 1..10");
    check(types.types.size() <= kivo::DeviceMirror::maxWindows, "at most ten window types");

    if (const auto stacking = kivo::parseStacking(reply, windowCount)) {
        check(stacking->listLength >= windowCount, "stacking lists every window");
        if (stacking->front)
            check(*stacking->front >= 0 &&
                      *stacking->front < static_cast<int>(kivo::DeviceMirror::maxWindows),
                  "front window is a window");
    }
    kivo::parseOnOff(reply, windowCount);
    kivo::parseWindowRect(reply);
    kivo::parseInputSize(reply);
    kivo::parseLevel(reply);
    kivo::parseRealLevel(reply);
    kivo::parseSwitch(reply);
    kivo::parseSvideo(reply);

    kivo::parseHostReply(reply);
    kivo::parseBaudReply(reply);
    kivo::parseEchoReply(reply);
    kivo::answersInWords(reply);
    return 0;
}
