#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

#include "core/presentations/PresentationStore.h"
#include "core/settings/Profile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kivo::test {
namespace {

class PresentationStoreTest : public ::testing::Test {
protected:
    void writeIni(const std::string& text) { std::ofstream(dir.file("Kivo.ini")) << text; }
    // A fresh store on the file as it is on disk.
    PresentationStore& load()
    {
        store.reset();
        profile.emplace(dir.file("Kivo.ini"));
        store.emplace(*profile);
        int counter = 0;
        store->load(progress, counter);
        return *store;
    }
    std::string ini(const std::string& section, const std::string& key)
    {
        return Profile(dir.file("Kivo.ini")).readString(section, key, "(none)");
    }
    static Presentation named(const std::string& name, int shots)
    {
        Presentation p{name, {}};
        for (int i = 0; i < shots; ++i) {
            Shot shot;
            shot.name = name + std::to_string(i + 1);
            shot.priority[0] = 1;
            shot.rect[0] = {11, 19, 100, 100};
            p.shots.push_back(shot);
        }
        return p;
    }

    TempDir dir;
    RecordingProgress progress;
    std::optional<Profile> profile;
    std::optional<PresentationStore> store;
};

TEST_F(PresentationStoreTest, AFileWithoutPresentationsLoadsEmptyWithLoopOn)
{
    writeIni("[SERIALPORT]\nport=/dev/ttyUSB0\n");
    EXPECT_EQ(load().count(), 0);
    EXPECT_TRUE(load().loop());
    EXPECT_EQ(progress.texts.back(), "Establishing connection...");
}

TEST_F(PresentationStoreTest, ShotsLoadInARunFromTheFirstKey)
{
    writeIni("[P1INFO]\nname=Five\nshots=5\ns1=4000 A~\ns2=4000 B~\ns3=4000 C~\n"
             "[P2INFO]\nname=Blanked\nshots=3\ns1=4000 A~\ns2=-1\ns3=4000 C~\n"
             "[P3INFO]\nname=" +
             std::string(200, 'x') + "\nshots=-3\n[PE]\nloop=0\n");
    PresentationStore& s = load();
    ASSERT_EQ(s.count(), 3);
    EXPECT_EQ(s.shotCount(0), 3);
    EXPECT_EQ(s.shotCount(1), 1);
    EXPECT_EQ(s.at(2).name, std::string(128, 'x'));
    EXPECT_FALSE(s.loop());
    EXPECT_EQ(progress.texts.front(), "Getting presentation 1 from ini file...");
}

TEST_F(PresentationStoreTest, RemovingTheMiddleOfThreeMovesTheLastUpAndBlanksItsKeys)
{
    load();
    for (const auto& p : {named("One", 1), named("Two", 2), named("Three", 3)})
        ASSERT_TRUE(store->addPresentation(p));
    ASSERT_TRUE(store->removePresentation(1));
    EXPECT_EQ(ini("P2INFO", "name"), "Three");
    EXPECT_EQ(ini("P2INFO", "shots"), "3");
    EXPECT_EQ(ini("P2INFO", "s3"), "4000 Three3~ 1 11 19 100 100");
    EXPECT_EQ(ini("P3INFO", "name"), "");
    EXPECT_EQ(ini("P3INFO", "shots"), "0");
    for (const char* key : {"s1", "s2", "s3"})
        EXPECT_EQ(ini("P3INFO", key), "-1") << key;
    const PresentationStore& reloaded = load();
    ASSERT_EQ(reloaded.count(), 2);
    EXPECT_EQ(reloaded.at(1).shots, named("Three", 3).shots);
}

TEST_F(PresentationStoreTest, RemovedShotsLeaveBlankedKeysAndTheRestMoveUp)
{
    load();
    ASSERT_TRUE(store->addPresentation(named("Show", 3)));
    ASSERT_TRUE(store->removeShot(0, 0));
    EXPECT_EQ(ini("P1INFO", "shots"), "2");
    EXPECT_EQ(ini("P1INFO", "s1"), "4000 Show2~ 1 11 19 100 100");
    EXPECT_EQ(ini("P1INFO", "s3"), "-1");
    ASSERT_TRUE(store->rotateShots(0, true));
    EXPECT_EQ(load().shot(0, 0).name, "Show3");
}

TEST_F(PresentationStoreTest, AGapBetweenSectionsIsClosedOnDiskToo)
{
    writeIni("[P1INFO]\nname=First\nshots=0\n[P3INFO]\nname=Third\nshots=1\ns1=4000 T~\n");
    PresentationStore& s = load();
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.at(1).name, "Third");
    // Reading alone leaves the file as it is.
    EXPECT_EQ(ini("P2INFO", "name"), "(none)");
    ASSERT_TRUE(s.closeGaps());
    EXPECT_EQ(ini("P2INFO", "name"), "Third");
    EXPECT_EQ(ini("P3INFO", "name"), "");
    EXPECT_EQ(ini("P3INFO", "s1"), "-1");
    EXPECT_EQ(load().count(), 2);
}

TEST_F(PresentationStoreTest, PresentationsPastTheTwentiethAreNamedAndKeptInTheFile)
{
    std::string text;
    for (int n = 1; n <= 22; ++n)
        text += "[P" + std::to_string(n) + "INFO]\nname=Show " + std::to_string(n) +
                "\nshots=1\ns1=4000 A~ 1 0 0 100 100\n";
    // Never read by loading either: an unused section, a spelling of a row's name with a
    // leading zero, and a section that only looks like one.
    text += "[P23INFO]\nname=\n[p07info]\nname=Zero\n[PXINFO]\nname=X\n";
    writeIni(text);
    PresentationStore& loaded = load();
    EXPECT_EQ(loaded.count(), 20);
    EXPECT_EQ(loaded.ignoredSections(),
              (std::vector<std::string>{"P21INFO", "P22INFO", "p07info"}));
    EXPECT_EQ(loaded.ignoredNote(), "Presentations beyond the 20th in the ini file are not shown "
                                    "(P21INFO, P22INFO, p07info); they stay in the file");
    ASSERT_TRUE(loaded.removePresentation(0));
    ASSERT_TRUE(loaded.addShot(0, named("X", 1).shots[0]));
    EXPECT_EQ(ini("P21INFO", "name"), "Show 21");
    EXPECT_EQ(ini("P22INFO", "s1"), "4000 A~ 1 0 0 100 100");

    writeIni("[P1INFO]\nname=One\nshots=0\n");
    EXPECT_EQ(load().ignoredNote(), "");
}

TEST_F(PresentationStoreTest, TheLoopFlagIsWrittenThrough)
{
    load();
    ASSERT_TRUE(store->setLoop(false));
    EXPECT_EQ(ini("PE", "loop"), "0");
    EXPECT_FALSE(load().loop());
}

TEST_F(PresentationStoreTest, TheLoopFlagForOneRunLeavesTheFileAsItIs)
{
    writeIni("[PE]\nloop=0\n");
    load();
    store->setLoopUnsaved(true);
    EXPECT_TRUE(store->loop());
    EXPECT_EQ(dir.read("Kivo.ini"), "[PE]\nloop=0\n");
    EXPECT_FALSE(load().loop());
}

} // namespace
} // namespace kivo::test
