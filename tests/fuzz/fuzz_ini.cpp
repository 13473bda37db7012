#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzScratch.h"

#include "core/base/Prompter.h"
#include "core/link/SerialSettings.h"
#include "core/settings/Profile.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

using kivo::fuzz::check;

namespace {

class AnswerOk final : public kivo::Prompter {
public:
    Answer ask(const std::string&, Buttons, Icon, const std::string&) override
    {
        return Answer::ok;
    }
};

// Keys the panel reads at start-up that nothing here writes: a write elsewhere in the file
// must leave them as they read.
struct KnownKeys {
    std::string port;
    std::string baud;
    std::string description;

    static KnownKeys readFrom(const kivo::Profile& profile)
    {
        return {kivo::readPortName(profile), profile.readString("SERIALPORT", "baudrate"),
                profile.readString("DESCRIPTIONS", "desc1")};
    }
    bool operator==(const KnownKeys&) const = default;
};

void readBothLists(kivo::Profile& profile, kivo::Prompter& prompter)
{
    kivo::TimingListCache cache(profile, prompter);
    for (const auto kind : {kivo::TimingList::Kind::output, kivo::TimingList::Kind::input}) {
        kivo::TimingList list(kind);
        cache.read(list);
        cache.save(list);
    }
}

// The same text with every CR LF and lone CR made a LF.
std::string withLineFeeds(const std::string& text)
{
    std::string lf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            lf += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            lf += '\n';
    }
    return lf;
}

// Line ends do not change what a file says.
void checkLineEndsReadAlike(const std::filesystem::path& folder, const std::string& content,
                            const KnownKeys& read)
{
    const std::filesystem::path lf = folder / "Lf.ini";
    std::ofstream(lf, std::ios::binary) << withLineFeeds(content);
    const kivo::Profile profile(lf);
    if (profile.loadError().empty())
        check(KnownKeys::readFrom(profile) == read, "CR, LF and CR LF end a line alike");
}

} // namespace

// The bytes are an ini file: it is loaded, read, written through a key and the timing list
// cache, and loaded again. What a good load held must read the same after the write, and the
// same as the file with its line ends made LF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kivo::fuzz::Scratch& scratch = kivo::fuzz::Scratch::get();
    scratch.empty();
    const std::filesystem::path ini = scratch.file("Kivo.ini");
    std::ofstream(ini, std::ios::binary).write(reinterpret_cast<const char*>(data), size);

    AnswerOk prompter;
    KnownKeys before;
    bool loaded = false;
    {
        kivo::Profile profile(ini);
        loaded = profile.loadError().empty();
        before = KnownKeys::readFrom(profile);
        if (loaded)
            checkLineEndsReadAlike(ini.parent_path(),
                                   std::string(reinterpret_cast<const char*>(data), size), before);
        kivo::readSerialSettings(profile);
        profile.readInt("SERIALPORT", "bytesize", 8);
        readBothLists(profile, prompter);
        if (loaded)
            check(profile.writeString("FUZZ", "key", "value \"quoted\" = ;#"),
                  "a loaded file takes a write");
    }
    kivo::Profile again(ini);
    if (!loaded)
        return 0;
    check(again.loadError().empty(), "a file the panel wrote loads again");
    check(again.readString("FUZZ", "key") == "value \"quoted\" = ;#", "a written key reads back");
    check(KnownKeys::readFrom(again) == before, "other keys read as they did");
    readBothLists(again, prompter);
    return 0;
}
