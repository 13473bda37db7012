#pragma once

#include "tests/support/ScreenFixture.h"

#include "core/presentations/Player.h"
#include "core/presentations/PresentationStore.h"
#include "core/presentations/ShotDisplay.h"

namespace kivo::test {

// The Virtual Screen's fixture with a presentation store, the shot display and the player.
class PresentationFixture : public ScreenFixture {
protected:
    // A presentation of `shots` shots held `msecs` each; shot k shows window k (1..4) alone.
    Presentation presentation(const std::string& name, int shots, int msecs = 4000)
    {
        Presentation p{name, {}};
        for (int k = 1; k <= shots; ++k) {
            Shot shot;
            shot.name = "Shot " + std::to_string(k);
            shot.msecs = msecs;
            const std::size_t slot = static_cast<std::size_t>((k - 1) % 4);
            shot.priority[slot] = 1;
            shot.rect[slot] = {11, 19, 188, 144};
            p.shots.push_back(shot);
        }
        return p;
    }
    void choose(const Presentation& p)
    {
        store.addPresentation(p);
        store.currentPresentation = store.count() - 1;
    }

    PresentationStore store{profile};
    ShotDisplay display{{app, channel, state, prompter, keys}, screen, clock};
    Player player{store, display, clock, prompter};
};

} // namespace kivo::test
