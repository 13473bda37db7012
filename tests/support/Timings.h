#pragma once

#include "core/timing/TimingRecord.h"

#include <array>

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

} // namespace kivo::test
