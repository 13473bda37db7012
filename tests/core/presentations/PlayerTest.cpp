#include "tests/core/presentations/PresentationFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

// Showing a shot takes time of its own (the device is given 100 ms between its group lines):
// a shot is held from the moment it is shown, so the time spent sending it counts.
class PlayerTest : public PresentationFixture {
protected:
    // Ticks every 100 ms for `ms`.
    void run(int ms)
    {
        for (int t = 0; t < ms; t += 100) {
            clock.sleepMs(100);
            player.tick();
        }
    }
};

TEST_F(PlayerTest, APresentationOfOneShotCannotBePlayed)
{
    choose(presentation("Solo", 1));
    EXPECT_EQ(player.buttons(), PlayerButtons{});
    EXPECT_EQ(player.infoText(), "Presentation 1: Building");
}

TEST_F(PlayerTest, WithoutLoopThreeShotsPlayOnceAndStopOnTheLast)
{
    store.setLoop(false);
    choose(presentation("Three", 3));
    EXPECT_EQ(player.infoText(), "Presentation 1: Paused");
    player.play();
    EXPECT_EQ(store.currentShot, 0);
    EXPECT_EQ(player.infoText(), "Playing [shot 1]");
    EXPECT_TRUE(player.buttons().pause);
    run(3900);
    EXPECT_EQ(store.currentShot, 0);
    run(100);
    EXPECT_EQ(store.currentShot, 1);
    run(4000);
    EXPECT_EQ(store.currentShot, 2);
    EXPECT_EQ(player.state(), PlayerState::paused);
    EXPECT_EQ(player.infoText(), "Done [shot 3]");
    run(10000);
    EXPECT_EQ(store.currentShot, 2);
    EXPECT_FALSE(player.buttons().play);
}

TEST_F(PlayerTest, WithLoopTheLastShotIsFollowedByTheFirst)
{
    choose(presentation("Three", 3));
    player.play();
    run(3 * 4100);
    EXPECT_EQ(store.currentShot, 0);
    EXPECT_EQ(player.state(), PlayerState::playing);
    EXPECT_EQ(window(1).priority, 1);
}

TEST_F(PlayerTest, PlayAfterPauseHoldsTheShotForTheRestOfItsTime)
{
    choose(presentation("Three", 3));
    player.play();
    run(1400);
    player.pause();
    EXPECT_EQ(player.infoText(), "Paused [shot 1]");
    clock.sleepMs(60000);
    player.tick();
    EXPECT_EQ(store.currentShot, 0);
    player.play();
    EXPECT_EQ(player.progressPercent(), 37);
    run(2400);
    EXPECT_EQ(store.currentShot, 0);
    run(100);
    EXPECT_EQ(store.currentShot, 1);
}

TEST_F(PlayerTest, TwoClicksOnNextWithin800MsStepOnce)
{
    choose(presentation("Three", 3));
    player.play();
    player.next();
    clock.sleepMs(700);
    player.next();
    EXPECT_EQ(store.currentShot, 1);
    clock.sleepMs(1);
    player.next();
    EXPECT_EQ(store.currentShot, 2);
}

TEST_F(PlayerTest, EachStepSendsItsShot)
{
    choose(presentation("Two", 2));
    player.play();
    sent();
    run(4100);
    EXPECT_THAT(sent(), ::testing::ElementsAre("win all off off off off", "wdr 2 0 0 320 239",
                                               "priority all 2 1 3 4", "win all off on off off"));
}

TEST_F(PlayerTest, PlayWithoutAPresentationSaysSo)
{
    player.play();
    EXPECT_THAT(prompter.texts, ::testing::ElementsAre("Invalid presentation index [-1]."));
}

} // namespace
} // namespace kivo::test
