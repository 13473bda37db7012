#pragma once

#include "tests/fuzz/FuzzScratch.h"

#include "cli/HeadlessSeams.h"
#include "core/base/BusyHandler.h"
#include "core/base/Clock.h"
#include "core/base/PanelPages.h"
#include "core/base/ProcessExit.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/panel/PanelSession.h"

#include <cstdint>
#include <string>

namespace kivo::fuzz {

// Time passes only when the panel pauses, so a silent line costs no real time.
class VirtualClock final : public Clock {
public:
    std::int64_t nowMs() const override { return now_; }
    void sleepMs(int ms) override { now_ += ms; }

private:
    std::int64_t now_ = 0;
};

class AnswerOk final : public Prompter {
public:
    Answer ask(const std::string&, Buttons buttons, Icon, const std::string&) override
    {
        return buttons == Buttons::yesNo ? Answer::yes : Answer::ok;
    }
};

// The panel ends the process on a lost link and expects never to come back: here that ends
// the input instead.
struct ProcessEnded {};
class ThrowingExit final : public ProcessExit {
public:
    [[noreturn]] void endProcess(int) override { throw ProcessEnded{}; }
};

// A panel session in an emptied scratch folder, with seams that never wait for a person.
class FuzzPanel {
public:
    FuzzPanel() : session_(options(), {clock, keys, prompter, processExit, busy, pages, progress})
    {
    }

    PanelSession& session() { return session_; }

    VirtualClock clock;
    cli::NoKeysHeld keys;
    AnswerOk prompter;
    ThrowingExit processExit;
    BusyHandler busy;
    PanelPages pages;
    ProgressSink progress;

private:
    static SessionOptions options()
    {
        const Scratch& scratch = Scratch::get();
        scratch.empty();
        return {scratch.file("Kivo.ini"), std::string("fuzz"),
                scratch.file("Kivolog.txt").string()};
    }

    PanelSession session_;
};

} // namespace kivo::fuzz
