#include "sim/FactoryReset.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <algorithm>
#include <utility>

namespace kivo::sim {

namespace {

bool isYes(std::string_view answer)
{
    const std::string word = lowerCase(trimmed(answer));
    return word == "y" || word == "yes";
}

} // namespace

FactoryReset::FactoryReset(DeviceState& state, FactoryReply reply, ReferenceSignal::Clock nowMs)
    : state_(state), reply_(reply), nowMs_(std::move(nowMs))
{
}

void FactoryReset::addTo(CommandTable& table)
{
    table.add("restorefactorydefaults", "restorefactorydefaults",
              "erase all user settings (asks yes/no)", [this](const CommandArgs&) {
                  phase_ = Phase::confirming;
                  return std::string(replies::factoryQuestion);
              });
}

std::string FactoryReset::line(std::string_view line)
{
    switch (phase_) {
    case Phase::confirming:
        return confirm(line);
    case Phase::askingRestart:
        phase_ = Phase::idle;
        return isYes(line) ? restart() : std::string();
    case Phase::restoring:
    case Phase::idle:
        break;
    }
    // Busy restoring: what arrives is not read.
    return {};
}

std::string FactoryReset::confirm(std::string_view answer)
{
    if (!isYes(answer)) {
        phase_ = Phase::idle;
        return formatLine("%s", replies::factoryCancelled);
    }
    phase_ = Phase::restoring;
    restoredAtMs_ = nowMs_() + restoreMs;
    return formatLine("%s", replies::factoryRestoring);
}

std::string FactoryReset::finishIfDue()
{
    if (phase_ != Phase::restoring || nowMs_() < restoredAtMs_)
        return {};
    state_ = DeviceState::factoryDefaults(state_.windowCount());
    switch (reply_) {
    case FactoryReply::prompt:
        phase_ = Phase::askingRestart;
        return std::string(replies::factoryRestartQuestion);
    case FactoryReply::banner:
        phase_ = Phase::idle;
        return restart();
    case FactoryReply::none:
        break;
    }
    phase_ = Phase::idle;
    return {};
}

std::optional<std::int64_t> FactoryReset::msUntilDue() const
{
    if (phase_ != Phase::restoring)
        return std::nullopt;
    return std::max<std::int64_t>(0, restoredAtMs_ - nowMs_());
}

std::string FactoryReset::restart() { return formatLine("%s", replies::banner); }

} // namespace kivo::sim
