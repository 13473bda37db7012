#pragma once

#include <cstdint>
#include <string>

namespace kivo {

class Clock;
class Prompter;
class PresentationStore;
class ShotDisplay;

enum class PlayerState {
    noPresentation = 0,
    building = 1,
    paused = 2,
    playing = 3,
    rewinding = 4,
    fastForward = 5,
};

// Which player buttons can be pressed.
struct PlayerButtons {
    bool play = false;
    bool pause = false;
    bool next = false;
    bool previous = false;
    bool rewind = false;
    bool fast = false;
    bool operator==(const PlayerButtons&) const = default;
};

// Plays the chosen presentation: every shot is shown and sent, held for its hold time, and
// followed by the next, looping or stopping on the last. Driven by ticks of about 100 ms and
// the clock; Previous and Next ignore a second click within 800 ms; a pause keeps the time
// already spent in the shot, and playing again holds the shot only for the rest.
class Player {
public:
    // A second click on Previous or Next within this is taken for the same one.
    static constexpr std::int64_t debounceMs = 800;
    // Rewinding and fast-forwarding show a shot for this long.
    static constexpr std::int64_t scanStepMs = 800;

    Player(PresentationStore& store, ShotDisplay& display, Clock& clock, Prompter& prompter);

    PlayerState state() const { return state_; }
    // The editor moves the player when presentations or shots are chosen.
    void setState(PlayerState state) { state_ = state; }
    // Forgets the time spent in the shot: a new shot starts from its beginning.
    void forgetElapsed() { elapsedMs_ = 0; }
    bool playing() const;
    bool editingAllowed() const;

    void play();
    void pause();
    void previous();
    void next();
    void rewind();
    void fast();
    void tick();
    void setLoop(bool loop);

    PlayerButtons buttons() const;
    // "Playing [shot 2]", "Done [shot 3]", "Presentation 1: Paused", "No presentation selected"...
    std::string infoText() const;
    // How much of the shot has passed, 0..100, while playing.
    int progressPercent() const { return progressPercent_; }

private:
    bool chosen() const;
    int shotCount() const;
    bool lastShot() const;
    bool firstShot() const;
    // Moves to a shot and shows it, starting its time afresh.
    void step(int shot);
    void showCurrent();
    // Rewinding or fast-forwarding from the current shot.
    void scan(PlayerState direction);
    // A run without Loop that reached its end stands still there.
    void settle();
    bool accepted(std::int64_t& lastClick);
    int holdTime() const;
    void updateProgress();

    PresentationStore& store_;
    ShotDisplay& display_;
    Clock& clock_;
    Prompter& prompter_;
    PlayerState state_ = PlayerState::building;
    std::int64_t shotStartMs_ = 0;
    std::int64_t elapsedMs_ = 0;
    std::int64_t lastPreviousMs_ = -debounceMs - 1;
    std::int64_t lastNextMs_ = -debounceMs - 1;
    int progressPercent_ = 0;
};

} // namespace kivo
