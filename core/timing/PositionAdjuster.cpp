#include "core/timing/PositionAdjuster.h"

#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/Reply.h"
#include "core/timing/TimingTarget.h"

#include <array>
#include <utility>

namespace kivo {
namespace {

// Firmware after this revision moves the output picture up with "k", as the input's does.
constexpr double lastRevisionWithUpIsJ = 2.021;

using KeyCommand = std::pair<AdjustKey, char>;
// The bytes of the position keys; "up" and "down" as on current firmware.
constexpr std::array<KeyCommand, 4> positionKeys{{
    {AdjustKey::left, 'h'},
    {AdjustKey::right, 'l'},
    {AdjustKey::up, 'k'},
    {AdjustKey::down, 'j'},
}};
constexpr std::array<KeyCommand, 1> outputKeys{{{AdjustKey::switchImages, ' '}}};
constexpr std::array<KeyCommand, 4> inputKeys{{
    {AdjustKey::increaseWidth, 'L'},
    {AdjustKey::decreaseWidth, 'H'},
    {AdjustKey::increaseHeight, 'K'},
    {AdjustKey::decreaseHeight, 'J'},
}};

template <std::size_t size>
std::string find(const std::array<KeyCommand, size>& keys, AdjustKey key)
{
    for (const auto& [known, byte] : keys)
        if (known == key)
            return std::string(1, byte);
    return {};
}

} // namespace

PositionAdjuster PositionAdjuster::forOutput(Seams seams, TimingTarget& output,
                                             double firmwareRevision)
{
    return {seams, output, Picture::output, firmwareRevision > lastRevisionWithUpIsJ};
}

PositionAdjuster PositionAdjuster::forInput(Seams seams, TimingTarget& input)
{
    return {seams, input, Picture::input, true};
}

PositionAdjuster::PositionAdjuster(Seams seams, TimingTarget& target, Picture picture, bool upIsK)
    : s_(seams), target_(target), picture_(picture), upIsK_(upIsK)
{
}

std::string PositionAdjuster::keyCommand(AdjustKey key) const
{
    if (!upIsK_ && (key == AdjustKey::up || key == AdjustKey::down))
        key = key == AdjustKey::up ? AdjustKey::down : AdjustKey::up;
    if (std::string byte = find(positionKeys, key); !byte.empty())
        return byte;
    return picture_ == Picture::output ? find(outputKeys, key) : find(inputKeys, key);
}

bool PositionAdjuster::start()
{
    if (picture_ == Picture::output) {
        s_.channel.sendCommand(std::string(loadString(StringId::outputAdjustCommand)));
    } else {
        target_.readBack();
        const Reply reply = s_.channel.sendTextAndCollect(
            formatString(StringId::inputAdjustCommand, target_.window()), true);
        if (isRefusal(reply.text)) {
            s_.prompter.tell(reply.text);
            return false;
        }
    }
    s_.app.interactiveMode = true;
    running_ = true;
    return true;
}

void PositionAdjuster::press(AdjustKey key)
{
    const std::string command = keyCommand(key);
    if (running_ && !command.empty())
        s_.channel.sendCommand(command);
}

void PositionAdjuster::finish(bool keep)
{
    if (!running_)
        return;
    // "q" goes out as a key of its own: the device is still in its adjustment mode.
    s_.channel.sendCommand(std::string(loadString(StringId::adjustQuit)));
    s_.app.interactiveMode = false;
    running_ = false;
    if (!keep)
        s_.channel.sendCommand(target_.line());
    target_.readBack();
}

} // namespace kivo
