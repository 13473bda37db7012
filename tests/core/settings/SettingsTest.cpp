#include "tests/support/ScriptedLink.h"
#include "tests/support/TempDir.h"

#include "core/link/LinkOpener.h"
#include "core/link/PanelApp.h"
#include "core/link/SerialSettings.h"
#include "core/settings/PanelOptions.h"
#include "core/settings/Profile.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <optional>

namespace kivo::test {
namespace {

struct StoredCase {
    const char* name;
    const char* key;
    const char* stored;
    unsigned expected;
};

class StoredSerialSetting : public ::testing::TestWithParam<StoredCase> {};

unsigned valueOf(const SerialSettings& settings, const std::string& key)
{
    if (key == "baudrate")
        return settings.baudRate;
    if (key == "parity")
        return settings.parity;
    if (key == "bytesize")
        return settings.byteSize;
    return settings.stopBits;
}

TEST_P(StoredSerialSetting, ReadsBackWithinItsRangeOrAsTheDefault)
{
    TempDir dir;
    dir.write("Kivo.ini",
              std::string("[SERIALPORT]\n") + GetParam().key + "=" + GetParam().stored + "\n");
    const Profile profile(dir.file("Kivo.ini"));
    EXPECT_EQ(valueOf(readSerialSettings(profile), GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredSerialSetting,
                         ::testing::Values(StoredCase{"baudBelowRange", "baudrate", "1199", 9600},
                                           StoredCase{"baudAboveRange", "baudrate", "230400", 9600},
                                           StoredCase{"baudTopKept", "baudrate", "115200", 115200},
                                           StoredCase{"baudBottomKept", "baudrate", "1200", 1200},
                                           StoredCase{"baudNotANumber", "baudrate", "fast", 9600},
                                           StoredCase{"parityOutOfRange", "parity", "3", 0},
                                           StoredCase{"parityLowByte", "parity", "258", 2},
                                           StoredCase{"parityOdd", "parity", "1", 1},
                                           StoredCase{"stopBitsLowByte", "stopbits", "258", 2},
                                           StoredCase{"stopBitsOutOfRange", "stopbits", "3", 0},
                                           StoredCase{"byteSizeSix", "bytesize", "6", 8},
                                           StoredCase{"byteSizeNine", "bytesize", "9", 8},
                                           StoredCase{"byteSizeSeven", "bytesize", "7", 7},
                                           StoredCase{"byteSizeLowByte", "bytesize", "263", 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BaudIndex, EachButtonRateSelectsItsButtonAndOddRatesAHalvedQuotientOr9600)
{
    const std::vector<std::pair<int, int>> cases{
        {1200, 0},   {2400, 1},  {4800, 2},     {9600, 3},   {19200, 4},  {38400, 5}, {57600, 6},
        {115200, 7}, {14400, 3}, {4800 * 3, 3}, {2399, 0},   {28800, 4},  {76800, 3}, {39600, 3},
        {300, 3},    {0, 3},     {-9600, 3},    {230400, 3}, {115201, 7}, {57599, 3}};
    for (const auto& [rate, index] : cases)
        EXPECT_EQ(baudIndex(rate), index) << rate;
}

TEST(SerialSettings, MissingFileGivesTheDefaults)
{
    TempDir dir;
    const Profile profile(dir.file("none.ini"));
    const SerialSettings settings = readSerialSettings(profile);
    EXPECT_EQ(settings.baudRate, 9600u);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.byteSize, 8);
    EXPECT_EQ(settings.stopBits, 0);
}

TEST(PanelAppShutdown, PanelThatNeverConnectedWritesNothing)
{
    TempDir dir;
    Profile profile(dir.file("Kivo.ini"));
    PanelApp app(profile);
    app.startUp(dir.file("Kivolog.txt").string());
    app.shutdown();
    EXPECT_FALSE(std::filesystem::exists(dir.file("Kivo.ini")));
    EXPECT_FALSE(app.logOpen());
}

struct LeaveCase {
    const char* name;
    bool interactive;
    const char* giveUp;
    std::vector<std::string> wire;
};

class PanelAppLeaves : public ::testing::TestWithParam<LeaveCase> {};

// Whatever the device was left doing, its echo comes back as a line it reads as a command.
TEST_P(PanelAppLeaves, WhatTheDeviceWaitsInBeforeItsEchoComesBack)
{
    TempDir dir;
    Profile profile(dir.file("Kivo.ini"));
    PanelApp app(profile);
    ScriptedLink link;
    LinkOpener opener;
    opener.addBuiltInDevice("scripted", [&] { return std::make_unique<ForwardingLink>(link); });
    app.portName = "scripted";
    std::string error;
    ASSERT_TRUE(app.openLink(opener, error)) << error;
    app.interactiveMode = GetParam().interactive;
    app.giveUpCommand = GetParam().giveUp;
    app.shutdown();
    app.shutdown();
    EXPECT_EQ(link.writes, GetParam().wire);
    EXPECT_TRUE(link.closed);
    EXPECT_FALSE(app.interactiveMode);
    EXPECT_THAT(dir.read("Kivo.ini"), ::testing::HasSubstr("baudrate=9600"));
}

INSTANTIATE_TEST_SUITE_P(Cases, PanelAppLeaves,
                         ::testing::Values(LeaveCase{"idle", false, "", {"echo on\n"}},
                                           LeaveCase{"waitingForTheLock",
                                                     false,
                                                     "host free",
                                                     {"host free\n", "echo on\n"}},
                                           LeaveCase{"adjusting", true, "", {"q", "echo on\n"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Points $XDG_CONFIG_HOME at a scratch folder for one test.
class ScratchConfigHome {
public:
    explicit ScratchConfigHome(const std::filesystem::path& path)
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            old_ = old;
        ::setenv("XDG_CONFIG_HOME", path.c_str(), 1);
    }
    ~ScratchConfigHome()
    {
        if (old_)
            ::setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }

private:
    std::optional<std::string> old_;
};

struct IniPathCase {
    const char* name;
    std::optional<std::string> port;
    std::optional<std::string> ini;
    const char* expected; // under the scratch config home, or as given
};

class IniPath : public ::testing::TestWithParam<IniPathCase> {};

TEST_P(IniPath, SimulatedQuadrixHasItsOwnFileUnlessOneIsNamed)
{
    TempDir dir;
    const ScratchConfigHome home(dir.path());
    PanelOptions options;
    options.port = GetParam().port;
    options.ini = GetParam().ini;
    const std::filesystem::path expected =
        GetParam().ini ? std::filesystem::path(GetParam().expected) : dir.file(GetParam().expected);
    EXPECT_EQ(options.iniPath(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniPath,
    ::testing::Values(IniPathCase{"noPort", std::nullopt, std::nullopt, "Kivo/Kivo.ini"},
                      IniPathCase{"serialPort", "/dev/ttyUSB0", std::nullopt, "Kivo/Kivo.ini"},
                      IniPathCase{"simulated", "sim", std::nullopt, "Kivo/Kivo-sim.ini"},
                      IniPathCase{"simulatedWithIni", "sim", "/tmp/x.ini", "/tmp/x.ini"},
                      IniPathCase{"iniAlone", std::nullopt, "rel/y.ini", "rel/y.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniPath, FolderIsAnErrorThatNamesItAndAFileOrNothingIsNot)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder"));
    dir.write("Kivo.ini", "");
    PanelOptions options;
    for (const char* name : {"Kivo.ini", "missing.ini"}) {
        options.ini = dir.file(name).string();
        EXPECT_EQ(options.iniPathError(), "") << name;
    }
    options.ini = dir.file("folder").string();
    EXPECT_NE(options.iniPathError().find(dir.file("folder").string()), std::string::npos)
        << options.iniPathError();
    // The default path is checked as well as one given.
    const ScratchConfigHome home(dir.path());
    std::filesystem::create_directories(dir.file("Kivo/Kivo-sim.ini"));
    options.ini.reset();
    options.port = "sim";
    EXPECT_NE(options.iniPathError(), "");
}

} // namespace
} // namespace kivo::test
