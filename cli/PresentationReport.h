#pragma once

#include <string>

namespace kivo {
class PresentationStore;
} // namespace kivo

namespace kivo::cli {

// The presentations as the store loaded them: the Loop flag, then each presentation with its
// shots, and for each shot the windows that are on, front to back, with their stacking place
// and canvas rectangle as stored. `iniPath` names the file when it holds none.
std::string formatPresentationsText(const PresentationStore& store, const std::string& iniPath);
// The same as JSON, under the store's names.
std::string formatPresentationsJson(const PresentationStore& store);

} // namespace kivo::cli
