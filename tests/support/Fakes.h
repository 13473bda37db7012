#pragma once

#include "core/base/Clock.h"
#include "core/base/KeyState.h"
#include "core/base/ProcessExit.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace kivo::test {

// Sleeping advances the clock at once, so no test waits for real.
class ManualClock final : public Clock {
public:
    std::int64_t nowMs() const override { return now; }
    void sleepMs(int ms) override { now += ms; }
    std::int64_t now = 0;
};

class FakeKeyState final : public KeyState {
public:
    bool shiftHeld() const override { return shift; }
    bool altHeld() const override { return alt; }
    bool shift = false;
    bool alt = false;
};

// Records every message box and answers from a script (OK or Yes when the script is empty).
class RecordingPrompter final : public Prompter {
public:
    Answer ask(const std::string& text, Buttons buttons, Icon, const std::string& title) override
    {
        texts.push_back(text);
        titles.push_back(title);
        if (!answers.empty()) {
            const Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == Buttons::yesNo ? Answer::yes : Answer::ok;
    }
    std::vector<std::string> texts;
    std::vector<std::string> titles;
    std::deque<Answer> answers;
};

// Thrown where the program would end, so a test sees the routine stop there.
struct ProcessEnded {
    int exitCode;
};

class RecordingExit final : public ProcessExit {
public:
    [[noreturn]] void endProcess(int exitCode) override
    {
        codes.push_back(exitCode);
        throw ProcessEnded{exitCode};
    }
    std::vector<int> codes;
};

class RecordingProgress final : public ProgressSink {
public:
    void stepProgress() override { ++steps; }
    void setProgressPosition(int position) override { positions.push_back(position); }
    void setProgressStep(int step) override { stepSizes.push_back(step); }
    void showProgressText(const std::string& text) override { texts.push_back(text); }
    int steps = 0;
    std::vector<int> positions;
    std::vector<int> stepSizes;
    std::vector<std::string> texts;
};

} // namespace kivo::test
