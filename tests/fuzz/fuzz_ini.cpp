#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzScratch.h"

#include "core/app/Profile.h"
#include "core/app/Prompter.h"
#include "core/app/SerialSettings.h"
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

} // namespace

// The bytes are an ini file: it is loaded, read, written through a key and the timing list
// cache, and loaded again. What a good load held must read the same after the write.
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
