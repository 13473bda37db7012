#pragma once

#include <string>
#include <vector>

namespace kivo::test {

// Every query of a start-up bring-up of a device with ten windows, in order, as they go out
// on the wire (page continuations aside), for a device whose RGB windows are `rgb`.
std::vector<std::string> startUpQueries(const std::vector<int>& rgb);

} // namespace kivo::test
