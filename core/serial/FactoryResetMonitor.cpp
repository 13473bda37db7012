#include "core/serial/FactoryResetMonitor.h"

#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"

#include <algorithm>

namespace kivo {

RestartSign findRestartSign(std::string_view reply)
{
    if (contains(reply, loadString(StringId::factoryResetPromptKey)))
        return RestartSign::prompt;
    if (contains(reply, loadString(StringId::restartBannerKey)))
        return RestartSign::banner;
    return RestartSign::none;
}

FactoryResetMonitor::FactoryResetMonitor(PanelApp& app, CommandChannel& channel, Prompter& prompter)
    : app_(app), channel_(channel), prompter_(prompter)
{
}

void FactoryResetMonitor::start(std::int64_t nowMs)
{
    outcome_ = Outcome::watching;
    ticks_ = 0;
    startMs_ = nowMs;
}

int FactoryResetMonitor::msToNextBeat(std::int64_t nowMs) const
{
    const std::int64_t due = startMs_ + static_cast<std::int64_t>(ticks_ + 1) * periodMs;
    return static_cast<int>(std::clamp<std::int64_t>(due - nowMs, 0, periodMs));
}

bool FactoryResetMonitor::tick()
{
    if (!watching())
        return false;
    const Reply reply = channel_.readReply();
    // A restarting device falls silent for seconds after a word or two: that is not a lost
    // link, and must not end the program before the watch does.
    app_.linkEstablished = false;
    switch (findRestartSign(reply.text)) {
    case RestartSign::prompt:
        channel_.sendCommand(std::string(loadString(StringId::answerYesCommand)));
        finish(Outcome::promptAnswered, StringId::factoryResetComplete);
        return true;
    case RestartSign::banner:
        finish(Outcome::bannerSeen, StringId::factoryResetComplete);
        return true;
    case RestartSign::none:
        break;
    }
    if (++ticks_ > patientTicks) {
        finish(Outcome::timedOut, StringId::factoryResetTimedOut);
        return true;
    }
    return false;
}

void FactoryResetMonitor::finish(Outcome outcome, StringId message)
{
    outcome_ = outcome;
    prompter_.tell(std::string(loadString(message)));
}

} // namespace kivo
