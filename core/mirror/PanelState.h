#pragma once

#include "core/mirror/DeviceMirror.h"
#include "core/mirror/UserArrangement.h"
#include "core/timing/TimingList.h"

#include <array>

namespace kivo {

// Everything the main window holds about the device and its pages, free of any widget: the
// device mirror, both timing lists and the four user arrangements.
struct PanelState {
    DeviceMirror mirror;
    TimingList outputList{TimingList::Kind::output};
    TimingList inputList{TimingList::Kind::input};
    std::array<UserArrangement, UserArrangement::count> arrangements{};
};

} // namespace kivo
