#include "sim/QuadrixDevice.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <algorithm>
#include <utility>

namespace kivo::sim {

namespace {

// Longer lines are cut here and refused, so a stream without line feeds cannot grow
// the device without bound.
constexpr std::size_t maxLineLength = 1024;

} // namespace

QuadrixDevice::QuadrixDevice(QuadrixOptions options)
    : options_(std::move(options)), state_(DeviceState::factoryDefaults(options_.windowCount)),
      interpreter_(state_, options_.reference, options_.factoryReply), pager_(options_.pageLines)
{
    state_.baud = options_.baud;
}

void QuadrixDevice::receive(std::string_view bytes)
{
    // A line that comes after the restore has ended goes to the restarted device.
    printWhatIsDue();
    for (char c : bytes)
        receiveByte(c);
}

std::string QuadrixDevice::takeOutput()
{
    printWhatIsDue();
    return std::exchange(output_, std::string());
}

std::optional<std::int64_t> QuadrixDevice::msUntilOwnOutput() const
{
    return interpreter_.factoryReset().msUntilDue();
}

void QuadrixDevice::printWhatIsDue()
{
    const std::string restarted = interpreter_.factoryReset().finishIfDue();
    // A device that restarts without a word prints no prompt either.
    if (!restarted.empty())
        finish(restarted);
}

void QuadrixDevice::receiveByte(char c)
{
    if (byteMode()) {
        if (observer_)
            observer_(std::string_view(&c, 1));
        if (answering())
            answer(std::string_view(&c, 1), [this, c] { runKey(c); });
        return;
    }
    if (raw_.size() <= maxLineLength || c == '\n')
        raw_ += c;
    if (c == '\n')
        endLine();
}

void QuadrixDevice::endLine()
{
    const std::string raw = std::exchange(raw_, std::string());
    if (observer_)
        observer_(raw);
    if (!answering())
        return;
    pager_.setEndless(options_.endlessPagingAfter >= 0 && commands_ > options_.endlessPagingAfter);
    std::string line = raw.substr(0, raw.size() - 1);
    std::erase(line, '\r');
    answer(line, [this, &line] {
        if (line.size() > maxLineLength)
            finish(formatLine("%s", replies::errorLineTooLong));
        else
            runLine(line);
    });
}

void QuadrixDevice::answer(std::string_view command, const std::function<void()>& run)
{
    const Misbehaviour mode = options_.misbehaviour;
    if (mode != Misbehaviour::none && !misbehaving_)
        misbehaving_ = trimmed(command).starts_with(options_.misbehaveFrom);
    if (gone_)
        return;
    const std::size_t before = output_.size();
    // A device that refuses or does not hear a command does not carry it out either.
    if (!misbehaving_ || (mode != Misbehaviour::silent && mode != Misbehaviour::error))
        run();
    if (!misbehaving_)
        return;
    const std::string printed = output_.substr(before);
    output_.resize(before);
    output_ += misprint(mode, printed);
    gone_ = mode == Misbehaviour::vanish;
}

void QuadrixDevice::runLine(std::string_view line)
{
    if (state_.echo)
        output_ += std::string(line) + replies::lineEnd;
    const bool bare = trimmed(line).empty();
    if (bare && pager_.pending()) {
        finish(pager_.next());
        return;
    }
    pager_.clear();
    if (bare && !interpreter_.factoryReset().running()) {
        finish({});
        return;
    }
    if (const std::string* fixed = options_.fixedReplies.find(line)) {
        output_ += *fixed + replies::prompt;
        return;
    }
    finish(pager_.start(interpreter_.line(line)));
}

void QuadrixDevice::runKey(char k) { finish(interpreter_.key(k)); }

bool QuadrixDevice::answering()
{
    ++commands_;
    return options_.silentAfter < 0 || commands_ <= options_.silentAfter;
}

void QuadrixDevice::finish(std::string_view page)
{
    output_ += page;
    // A page that ends in the marker, the adjustment mode and the factory restore wait for
    // more input without a prompt.
    if (!pager_.pending() && !byteMode() && !interpreter_.factoryReset().holdsPrompt())
        output_ += replies::prompt;
}

} // namespace kivo::sim
