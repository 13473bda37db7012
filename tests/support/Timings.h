#pragma once

#include "core/inputs/InputSettings.h"
#include "core/output/OutputSettings.h"
#include "core/timing/TimingRecord.h"

#include <array>
#include <string_view>
#include <vector>

namespace kivo::test {

// A timing from its thirteen numbers in the device's column order: HFP HS HBP HACT VFP VS VBP
// VACT HFREQ SYNC HPOL VPOL IL.
inline TimingRecord timingOf(const std::array<int, 13>& columns)
{
    TimingRecord t;
    t.HFP = columns[0];
    t.HS = columns[1];
    t.HBP = columns[2];
    t.HACT = columns[3];
    t.VFP = columns[4];
    t.VS = columns[5];
    t.VBP = columns[6];
    t.VACT = columns[7];
    t.HFREQ = columns[8];
    t.SYNC = columns[9];
    t.HPOL = columns[10];
    t.VPOL = columns[11];
    t.IL = columns[12];
    return t;
}

// The output status the timing targets read back, counting the reads.
class CountingStatus final : public OutputStatusReader {
public:
    void queryOutputStatus() override { ++queries; }
    void readOutputStatus(std::string_view) override {}
    int queries = 0;
};

// Windows whose timing queries are recorded and answer nothing.
class CountingWindows final : public InputWindows {
public:
    void queryTiming(int window) override { queried.push_back(window); }
    const TimingRecord& timing(int) const override { return none; }
    TimingRecord levels(int) const override { return none; }
    void setLevels(int, const TimingRecord&) override {}
    void setConnector(int, InputConnector) override {}
    std::vector<int> queried;
    TimingRecord none;
};

} // namespace kivo::test
