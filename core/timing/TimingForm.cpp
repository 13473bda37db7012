#include "core/timing/TimingForm.h"

#include "core/base/EditControl.h"
#include "core/base/Prompter.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/NumericEntry.h"
#include "core/protocol/Reply.h"
#include "core/timing/SettingEntry.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingTarget.h"
#include "core/timing/TimingText.h"

#include <cstdint>

namespace kivo {
namespace {

constexpr int vertical = timingFieldsPerDirection;

// The record's field behind each box; blank and total are derived, never stored.
constexpr std::array<int TimingRecord::*, timingBoxCount> boxFields{
    &TimingRecord::HFP,   &TimingRecord::HS, &TimingRecord::HBP,  nullptr,
    &TimingRecord::HACT,  nullptr,           &TimingRecord::VFP,  &TimingRecord::VS,
    &TimingRecord::VBP,   nullptr,           &TimingRecord::VACT, nullptr,
    &TimingRecord::HFREQ,
};

// What a committed box may hold. `signal` boxes are checked only where the signal's own
// values may be changed at all.
struct BoxRule {
    int box;
    int lowest;
    int highest;
    bool signal;
};
constexpr int largestPorch = 512;
constexpr int largestActive = 2048;
constexpr std::array<BoxRule, 9> boxRules{{
    {frontPorch, 0, largestPorch, false},
    {sync, 0, largestPorch, false},
    {backPorch, 0, largestPorch, false},
    {active, 200, largestActive, false},
    {vertical + frontPorch, 0, largestPorch, false},
    {vertical + sync, 0, largestPorch, false},
    {vertical + backPorch, 0, largestPorch, false},
    {vertical + active, 150, largestActive, true},
    {frequencyBox, 15000, 100000, true},
}};

const BoxRule* ruleFor(int box)
{
    for (const BoxRule& rule : boxRules)
        if (rule.box == box)
            return &rule;
    return nullptr;
}

// Blank and total of one direction from its parts, wide enough for any values a device sends.
struct DirectionSums {
    std::int64_t blank;
    std::int64_t total;
};
DirectionSums sums(std::int64_t porch, std::int64_t syncWidth, std::int64_t backPorchWidth,
                   std::int64_t activeSize)
{
    const std::int64_t blankWidth = porch + syncWidth + backPorchWidth;
    return {blankWidth, blankWidth + activeSize};
}

std::array<std::int64_t, timingBoxCount> boxValues(const TimingRecord& t)
{
    const DirectionSums h = sums(t.HFP, t.HS, t.HBP, t.HACT);
    const DirectionSums v = sums(t.VFP, t.VS, t.VBP, t.VACT);
    return {t.HFP, t.HS,  t.HBP,   h.blank, t.HACT,  h.total, t.VFP,
            t.VS,  t.VBP, v.blank, t.VACT,  v.total, t.HFREQ};
}

// A radio pair shows 1 (positive, interlaced) as its first button.
int firstButtonWhenOne(int value) { return value == 1 ? 0 : 1; }
int oneWhenFirstButton(int button) { return button == 0 ? 1 : 0; }
constexpr int fewestSyncWires = 3;

TimingRadios radiosOf(const TimingRecord& t)
{
    return {t.SYNC - fewestSyncWires, firstButtonWhenOne(t.HPOL), firstButtonWhenOne(t.VPOL),
            firstButtonWhenOne(t.IL)};
}

} // namespace

TimingForm::TimingForm(const TimingFormKind& kind, Seams seams, TimingTarget& target,
                       TimingList& list, const TimingBoxes& boxes)
    : kind_(kind), s_(seams), target_(target), list_(list), boxes_(boxes)
{
}

void TimingForm::open()
{
    initial_ = target_.timing();
    fill();
}

void TimingForm::fill() { show(target_.timing()); }

void TimingForm::show(const TimingRecord& timing)
{
    const auto values = boxValues(timing);
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        boxes_[box]->replaceText(std::to_string(values[box]));
        boxes_[box]->clearModified();
    }
    radios_ = radiosOf(timing);
}

bool TimingForm::signalEditable() const { return target_.signalEditable(); }

bool TimingForm::canApply() const { return s_.channel.connected(); }

bool TimingForm::check(int box)
{
    const BoxRule* rule = ruleFor(box);
    if (!rule || (rule->signal && !signalEditable()))
        return true;
    EditControl& edit = *boxes_.at(static_cast<std::size_t>(box));
    if (edit.text().empty())
        return true;
    const int previous = target_.timing().*boxFields[static_cast<std::size_t>(box)];
    if (!s_.numericEntry.checkRangedInteger(edit, previous, rule->lowest, rule->highest))
        return false;
    if (box < timingFieldCount)
        recompute(box / timingFieldsPerDirection);
    return true;
}

void TimingForm::recompute(int direction)
{
    const auto first = static_cast<std::size_t>(direction * timingFieldsPerDirection);
    std::array<std::int64_t, timingFieldsPerDirection> values{};
    for (std::size_t field = 0; field < values.size(); ++field) {
        const std::string text = boxes_[first + field]->text();
        if (text.empty())
            return;
        values[field] = readTimingBox(text);
    }
    const DirectionSums sum =
        sums(values[frontPorch], values[sync], values[backPorch], values[active]);
    boxes_[first + blank]->replaceText(std::to_string(sum.blank));
    boxes_[first + total]->replaceText(std::to_string(sum.total));
}

std::array<std::string, timingFieldCount> TimingForm::valueTexts() const
{
    std::array<std::string, timingFieldCount> texts;
    for (std::size_t box = 0; box < texts.size(); ++box)
        texts[box] = boxes_[box]->text();
    return texts;
}

bool TimingForm::apply()
{
    if (!canApply())
        return false;
    const TimingCalculation calculation = calculateTiming(valueTexts());
    for (std::size_t box = 0; box < calculation.derived.size(); ++box)
        if (calculation.derived[box])
            boxes_[box]->replaceText(std::to_string(calculation.values[box]));
    if (!calculation.complete) {
        s_.prompter.tell(calculation.message);
        return false;
    }
    if (kind_.needsSyncMode && (radios_.sync < 0 || radios_.sync > 2)) {
        s_.prompter.tell(std::string(loadString(StringId::noSyncMode)));
        return false;
    }
    store(calculation.values);
    const Reply reply = s_.channel.sendTextAndCollect(target_.line(), true);
    if (isRefusal(reply.text)) {
        s_.prompter.tell(std::string(loadString(kind_.rejected)));
        return false;
    }
    list_.deleteEnabled = false;
    target_.readBack();
    fill();
    return true;
}

void TimingForm::store(const std::array<int, timingFieldCount>& values)
{
    TimingRecord& timing = target_.timing();
    for (std::size_t box = 0; box < values.size(); ++box)
        if (boxFields[box])
            timing.*boxFields[box] = values[box];
    if (kind_.storesSignal) {
        timing.HFREQ = readTimingBox(boxes_[frequencyBox]->text());
        timing.SYNC = radios_.sync + fewestSyncWires;
        timing.HPOL = oneWhenFirstButton(radios_.hpol);
        timing.VPOL = oneWhenFirstButton(radios_.vpol);
        timing.IL = oneWhenFirstButton(radios_.interlaced);
    }
    keepDivisorsNonZero(timing);
}

bool TimingForm::cancelChanges()
{
    // The output's question names no window; the extra number is left unused.
    if (!canApply() ||
        !confirmed(s_.prompter, formatString(kind_.cancelQuestion, target_.window()), true))
        return false;
    show(initial_);
    return apply();
}

void TimingForm::reset()
{
    target_.readBack();
    fill();
}

} // namespace kivo
