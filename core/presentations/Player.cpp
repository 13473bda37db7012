#include "core/presentations/Player.h"

#include "core/base/Clock.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/presentations/PresentationStore.h"
#include "core/presentations/ShotDisplay.h"

namespace kivo {
namespace {

bool in(PlayerState state, std::initializer_list<PlayerState> states)
{
    for (PlayerState s : states)
        if (s == state)
            return true;
    return false;
}

} // namespace

Player::Player(PresentationStore& store, ShotDisplay& display, Clock& clock, Prompter& prompter)
    : store_(store), display_(display), clock_(clock), prompter_(prompter)
{
}

bool Player::playing() const
{
    return in(state_, {PlayerState::playing, PlayerState::rewinding, PlayerState::fastForward});
}

bool Player::editingAllowed() const { return !playing(); }

bool Player::chosen() const
{
    return store_.currentPresentation >= 0 && store_.currentPresentation < store_.count();
}

int Player::shotCount() const
{
    return chosen() ? store_.shotCount(store_.currentPresentation) : 0;
}

bool Player::lastShot() const { return store_.currentShot == shotCount() - 1; }

bool Player::firstShot() const { return store_.currentShot <= 0; }

int Player::holdTime() const
{
    return store_.shot(store_.currentPresentation, store_.currentShot).msecs;
}

void Player::showCurrent()
{
    if (store_.currentShot < 0 || store_.currentShot >= shotCount())
        store_.currentShot = 0;
    display_.applyShot(store_.shot(store_.currentPresentation, store_.currentShot));
}

void Player::settle()
{
    if (store_.loop())
        return;
    const bool forwardAtEnd =
        in(state_, {PlayerState::playing, PlayerState::fastForward}) && lastShot();
    const bool backAtStart = state_ == PlayerState::rewinding && firstShot();
    if (forwardAtEnd || backAtStart)
        state_ = PlayerState::paused;
}

void Player::updateProgress()
{
    const int hold = holdTime();
    if (hold >= Shot::minMsecs)
        progressPercent_ = static_cast<int>(elapsedMs_ * 100 / hold);
}

void Player::play()
{
    if (!chosen()) {
        prompter_.tell(formatString(StringId::invalidPresentation, store_.currentPresentation));
        return;
    }
    if (shotCount() == 0)
        return;
    state_ = PlayerState::playing;
    showCurrent();
    if (elapsedMs_ > holdTime())
        elapsedMs_ = 0;
    updateProgress();
    shotStartMs_ = clock_.nowMs() - elapsedMs_;
    settle();
    display_.sendConfiguration();
}

void Player::pause()
{
    state_ = PlayerState::paused;
    elapsedMs_ = clock_.nowMs() - shotStartMs_;
}

bool Player::accepted(std::int64_t& lastClick)
{
    const std::int64_t now = clock_.nowMs();
    if (now - lastClick <= debounceMs)
        return false;
    lastClick = now;
    return true;
}

void Player::step(int shot)
{
    store_.currentShot = (shot + shotCount()) % shotCount();
    settle();
    display_.applyShot(store_.shot(store_.currentPresentation, store_.currentShot));
    elapsedMs_ = 0;
    shotStartMs_ = clock_.nowMs();
    display_.sendConfiguration();
}

void Player::previous()
{
    if (shotCount() > 0 && accepted(lastPreviousMs_))
        step(store_.currentShot - 1);
}

void Player::next()
{
    if (shotCount() > 0 && accepted(lastNextMs_))
        step(store_.currentShot + 1);
}

void Player::rewind() { scan(PlayerState::rewinding); }

void Player::fast() { scan(PlayerState::fastForward); }

void Player::scan(PlayerState direction)
{
    if (shotCount() == 0)
        return;
    state_ = direction;
    showCurrent();
    settle();
    display_.sendConfiguration();
}

void Player::tick()
{
    if (!playing() || shotCount() == 0 || store_.currentShot < 0)
        return;
    const std::int64_t inShot = clock_.nowMs() - shotStartMs_;
    const bool due = state_ == PlayerState::playing ? inShot > holdTime() : inShot > scanStepMs;
    if (due)
        step(state_ == PlayerState::rewinding ? store_.currentShot - 1 : store_.currentShot + 1);
    if (state_ == PlayerState::playing) {
        elapsedMs_ = clock_.nowMs() - shotStartMs_;
        updateProgress();
    }
}

void Player::setLoop(bool loop)
{
    store_.setLoop(loop);
    if (chosen())
        settle();
}

PlayerButtons Player::buttons() const
{
    using S = PlayerState;
    const bool c = shotCount() > 1;
    const bool loop = store_.loop();
    const bool a = !loop && store_.currentShot <= 0;
    const bool z = c && !loop && lastShot();
    PlayerButtons b;
    b.play = c && !z && in(state_, {S::building, S::paused, S::rewinding, S::fastForward});
    b.pause = c && in(state_, {S::playing, S::rewinding, S::fastForward});
    b.next = c && !z && in(state_, {S::paused, S::playing});
    b.previous = c && !a && in(state_, {S::paused, S::playing});
    b.rewind = c && !a && in(state_, {S::paused, S::playing, S::fastForward});
    b.fast = c && !z && in(state_, {S::building, S::paused, S::playing, S::rewinding});
    return b;
}

std::string Player::infoText() const
{
    const auto shotInfo = [&](StringId word) {
        return formatString(StringId::playerShotInfo, std::string(loadString(word)).c_str(),
                            store_.currentShot + 1);
    };
    switch (state_) {
    case PlayerState::playing:
        return shotInfo(StringId::playingWord);
    case PlayerState::rewinding:
        return shotInfo(StringId::rewindingWord);
    case PlayerState::fastForward:
        return shotInfo(StringId::fastForwardWord);
    case PlayerState::paused:
        return shotInfo(!store_.loop() && chosen() && lastShot() ? StringId::doneWord
                                                                 : StringId::pausedWord);
    default:
        if (!chosen())
            return std::string(loadString(StringId::noPresentationSelected));
        return formatString(shotCount() <= 1 ? StringId::presentationBuilding
                                             : StringId::presentationPaused,
                            store_.currentPresentation + 1);
    }
}

} // namespace kivo
