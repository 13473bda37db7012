#pragma once

#include "sim/SimLink.h"

#include "core/link/LinkOpener.h"

#include <memory>

namespace kivo::sim {

// Makes the port name "sim" open a simulated Quadrix inside the process.
inline void addSimulatedQuadrix(LinkOpener& opener, const QuadrixOptions& options = {})
{
    opener.addBuiltInDevice("sim", [options] { return std::make_unique<SimLink>(options); });
}

} // namespace kivo::sim
