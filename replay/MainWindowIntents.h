#pragma once
// What looking back at a recording asks of the main window, by what it means
// rather than by its controls. The main window carries it out on the GUI thread.
#include <functional>

#include "replay/ReplaySession.h"

class MainWindowIntents {
  public:
    virtual ~MainWindowIntents() = default;
    // Stops the link as STOP does. then runs on the GUI thread once the link
    // thread has let go of the shared data (at once when the link is not
    // running); it never waits in a loop.
    virtual void stopLink(std::function<void()> then) = 0;
    // A recording is shown: START, TEST and the car, engine and port buttons are
    // out of use, a recording being made stops and its button rests, and the
    // trouble-code window shows the recording's codes.
    virtual void enterReplay() = 0;
    // The live face again, with nothing of the recording left on it.
    virtual void leaveReplay() = 0;
    // The user's car, engine and graph set, given back when the replay ends.
    virtual UserVehicle userVehicle() const = 0;
};
