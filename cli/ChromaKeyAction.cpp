#include "cli/ChromaKeyAction.h"

#include "cli/CliSession.h"
#include "cli/Operands.h"

#include <array>
#include <ostream>

namespace kivo::cli {
namespace {

constexpr std::array<Keyword<ChromaPreset>, 8> presetNames{{{"white", ChromaPreset::white},
                                                            {"cyan", ChromaPreset::cyan},
                                                            {"magenta", ChromaPreset::magenta},
                                                            {"yellow", ChromaPreset::yellow},
                                                            {"red", ChromaPreset::red},
                                                            {"green", ChromaPreset::green},
                                                            {"blue", ChromaPreset::blue},
                                                            {"black", ChromaPreset::black}}};

constexpr const char* choices =
    "chromakey takes on, off (insert), or a preset: white, cyan, magenta, yellow, red, green, "
    "blue or black";

} // namespace

std::string parseChromaKeyRequest(const std::vector<std::string>& operands,
                                  ChromaKeyRequest& request)
{
    if (operands.size() != 1)
        return choices;
    const std::string& word = operands.front();
    if (word == "on" || word == "off") {
        request.chromaKeyOn = word == "on";
        return {};
    }
    request.preset = lookUp(presetNames, word);
    return request.preset ? std::string() : choices;
}

int runChromaKeyAction(CliSession& session, const ChromaKeyRequest& request, std::ostream& out)
{
    PanelSession& panel = session.panel();
    ChromaKeyControl control({panel.channel(), session.prompter(), panel.seams().clock},
                             panel.mirror().firmwareRevision);
    control.initialise();
    // The control has told why when the Quadrix did not take the change.
    if (request.chromaKeyOn && !control.setChromaKey(*request.chromaKeyOn))
        return exitNoReply;
    if (request.preset && !control.applyPreset(*request.preset))
        return exitNoReply;
    out << (control.chromaKeyOn() ? "chroma key" : "insert") << ", limits (mV):";
    for (const int limit : control.limits().values)
        out << ' ' << limit;
    out << '\n';
    return exitDone;
}

} // namespace kivo::cli
