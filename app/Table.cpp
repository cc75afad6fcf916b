#include "Table.h"

#include "net/NetMenu.h"
#include "net/Session.h"

#include <algorithm>

namespace quindra {

namespace {

TimerId timerOf(net::LinkTimers::Timer timer) {
    switch (timer) {
    case net::LinkTimers::Timer::Poll:
        return TimerId::LinkPoll;
    case net::LinkTimers::Timer::CallLimit:
        return TimerId::LinkCallLimit;
    case net::LinkTimers::Timer::Later:
        break;
    }
    return TimerId::LinkLater;
}

} // namespace

Table::Table(Desktop& desktop) : desktop_(desktop) {
    net::LinkTimers& timers = *this;
    link_ = std::make_unique<net::Connection>(game_, platform(), players_, desktop.sockets(),
                                              timers, *this);
}

// The other computer, if any, hears that this one left while the sockets are still there.
Table::~Table() = default;

void Table::start(const std::string& programFolder) {
    game_.Form_Load(programFolder);
}

bool Table::isGuest() const {
    const net::Session* s = session();
    return s && s->playing() && s->role() == net::Role::Guest;
}

void Table::refresh(bool now) {
    // The host sends its board whenever the court is looked at for changes: after every
    // tick, key and command, before it is painted.
    if (net::Session* s = session())
        s->gameChanged();
    desktop_.refresh(now);
}

void Table::keyDown(const KeyPress& press, bool desktopRepeat) {
    if (isGuest()) { // the host's game takes them
        session()->keyDown(press, desktopRepeat);
        return;
    }
    players_.keyDown(press, desktopRepeat, desktop_.now());
    scheduleRepeat();
    refresh(true);
    computerMoves();
}

void Table::keyUp(std::uint32_t id) {
    if (isGuest()) {
        session()->keyUp(id);
        return;
    }
    players_.keyUp(id);
    scheduleRepeat();
}

void Table::timerFired(TimerId id) {
    switch (id) {
    case TimerId::Clock:
        if (!clockOn_)
            return; // a tick already on its way when the clock stopped
        game_.Timer1_Timer();
        // Each tick is shown before it returns, as an animation's frames should be.
        refresh(true);
        computerMoves();
        scheduleRepeat();
        break;
    case TimerId::KeyRepeat:
        if (!repeatAt_)
            return; // stopped as it went off
        repeatAt_.reset();
        repeatHeldKeys();
        break;
    case TimerId::Computer:
        computerMoves();
        break;
    case TimerId::LinkPoll:
        link_->timerFired(net::LinkTimers::Timer::Poll);
        break;
    case TimerId::LinkCallLimit:
        link_->timerFired(net::LinkTimers::Timer::CallLimit);
        break;
    case TimerId::LinkLater:
        link_->timerFired(net::LinkTimers::Timer::Later);
        break;
    }
}

void Table::startLinkTimer(Timer timer, int milliseconds) {
    desktop_.startTimer(timerOf(timer), milliseconds, timer == Timer::Poll);
}

void Table::stopLinkTimer(Timer timer) {
    desktop_.stopTimer(timerOf(timer));
}

void Table::showNetworkState() {
    const std::optional<net::Role> role = link_->role();
    for (const MenuEntry& entry : menuEntries())
        if (entry.kind == MenuEntry::Kind::Item)
            desktop_.enableItem(entry.item, net::menuItemAvailable(entry.item, role));
    desktop_.showTitle(net::windowTitle(session()));
}

void Table::command(void (GameCore::*handler)()) {
    (game_.*handler)();
    desktop_.showChecks();
    refresh(false);
    computerMoves();
}

void Table::menuOpened() {
    menuOpen_ = true;
    releaseHeldKeys();
    restComputer();
}

void Table::menuClosed() {
    menuOpen_ = false;
    computerMoves();
}

void Table::windowOpened() {
    ++windowsOpen_;
    releaseHeldKeys();
    restComputer();
}

void Table::windowClosed() {
    windowsOpen_ = std::max(windowsOpen_ - 1, 0);
    refresh(false);
    computerMoves();
}

bool Table::playersCanMove() const {
    return !menuOpen_ && windowsOpen_ == 0 && desktop_.playersCanMove();
}

void Table::keyboardLeft(bool away) {
    releaseHeldKeys();
    if (away) {
        if (isGuest())
            session()->away(); // the rally is the host's: it pauses there
        else if (players_.pauseWhenAway())
            refresh(false);
    }
    computerMoves();
}

void Table::closing() {
    // The court is gone: its clock goes with it. The other computer, if any, hears that
    // this one left.
    if (net::Session* s = session())
        s->quit();
    setClockEnabled(false);
    desktop_.stopTimer(TimerId::KeyRepeat);
    desktop_.stopTimer(TimerId::Computer);
    repeatAt_.reset();
}

void Table::linkStarted() {
    showNetworkState();
    releaseHeldKeys();
    desktop_.showChecks();
    refresh(false);
    desktop_.tellNetworkDialog(DialogNews::Started, {});
}

void Table::linkFailed(const std::string& why) {
    desktop_.tellNetworkDialog(DialogNews::Failed, why);
}

void Table::linkTurnedAway(const std::string& why) {
    desktop_.tellNetworkDialog(DialogNews::TurnedAway, why);
}

void Table::linkChanged() {
    if (isGuest())
        desktop_.showChecks();
    else
        scheduleRepeat(); // a key of the guest's, held, repeats here
    refresh(true);
}

void Table::linkBox(const std::string& text) {
    showBox(text);
    computerMoves();
}

void Table::linkEnded(const std::string& why) {
    showNetworkState();
    desktop_.showChecks();
    refresh(false);
    if (!why.empty())
        linkBox(why);
}

void Table::setClockEnabled(bool enabled) {
    // Switching on a running clock changes nothing: restarting it would shift its ticks.
    if (enabled && !clockOn_) {
        clockOn_ = true;
        desktop_.startTimer(TimerId::Clock, interval_, true);
    } else if (!enabled && clockOn_) {
        clockOn_ = false;
        desktop_.stopTimer(TimerId::Clock);
        scheduleRepeat();
    }
}

void Table::setClockInterval(int milliseconds) {
    interval_ = milliseconds;
    if (clockOn_)
        desktop_.startTimer(TimerId::Clock, milliseconds, true); // a new level's rate, from now
}

void Table::showMessage(const std::string& text) {
    // The box waits inside the tick: the final board must be on screen before it opens.
    // A match over the network: the guest sees the same box.
    if (net::Session* s = session())
        s->boxOpening();
    showBox(text);
    if (net::Session* s = session()) // the box may have outlived the match
        s->boxClosed();
}

void Table::playSound(Sound sound) {
    if (net::Session* s = session())
        s->soundHeard(sound);
    if (game_.menu.mnuSuoni)
        desktop_.playSound(sound);
}

std::optional<Colour> Table::pickColour(Colour initial) {
    windowOpened();
    const std::optional<Colour> picked = desktop_.pickColour(initial);
    --windowsOpen_; // what follows a command follows this
    return picked;
}

void Table::showBox(const std::string& text) {
    releaseHeldKeys();
    restComputer();
    refresh(true);
    // One box at a time: one that comes while another is open waits for it.
    if (!boxes_.offer(text))
        return;
    ++windowsOpen_;
    for (std::optional<std::string> next = text; next; next = boxes_.closed())
        desktop_.showBox(*next);
    --windowsOpen_;
}

void Table::releaseHeldKeys() {
    if (isGuest())
        session()->releaseKeys();
    players_.releaseHeldKeys();
    desktop_.stopTimer(TimerId::KeyRepeat);
    repeatAt_.reset();
}

void Table::repeatHeldKeys() {
    if (players_.repeatHeldKeys(desktop_.now()))
        refresh(true);
    scheduleRepeat();
}

void Table::scheduleRepeat() {
    using Action = HeldKeys::ClockPlan::Action;
    const std::int64_t at = desktop_.now();
    const auto plan = players_.repeatClock(at, repeatAt_);
    if (plan.action == Action::Stop) {
        desktop_.stopTimer(TimerId::KeyRepeat);
        repeatAt_.reset();
    } else if (plan.action == Action::Set) {
        repeatAt_ = plan.at;
        desktop_.startTimer(TimerId::KeyRepeat,
                            static_cast<int>(std::max<std::int64_t>(plan.at - at, 0)), false);
    }
}

void Table::restComputer() {
    players_.restComputer();
    desktop_.stopTimer(TimerId::Computer);
}

void Table::computerMoves() {
    if (players_.computerMoves(desktop_.now(), playersCanMove()))
        refresh(true);
    // Asked again when its next step can come; a tick or a key asks it sooner.
    const auto next = players_.nextComputerMove();
    if (!next) {
        desktop_.stopTimer(TimerId::Computer);
        return;
    }
    desktop_.startTimer(TimerId::Computer,
                        static_cast<int>(std::max<std::int64_t>(*next - desktop_.now(), 0)), false);
}

} // namespace quindra
