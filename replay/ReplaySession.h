#pragma once
// A recording opened in the main window: the player feeds the same reply
// presenter and sampler as the link does, so the readout, the charts, the
// received-data panel and the trouble-code window show the recording as they
// showed it live. The car and engine of the recording's segment take the place
// of the user's while it plays (in memory only); close() gives the user's back.
// Everything here runs on the GUI thread.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "link/LinkEvents.h"
#include "link/ReplyPresenter.h"
#include "live/Sampler.h"
#include "record/RecordingReader.h"
#include "replay/ReplayPlayer.h"
#include "state/MainState.h"

class Registry;
class SelectionView;

// The car, engine and graph set of the user, kept while a recording plays.
struct UserVehicle {
    int32_t carIndex = 0;
    std::array<int32_t, 12> engineIndex{};
    std::string carKey, engineKey;
    int family = 1;
    std::string carLabel, engineLabel;
};

// Points the selection at a recorded car and engine: the labels show the
// recorded names, the family decodes the replies, and the graph set of that
// car and engine in the table (when the names are there) is read as live.
void ApplyRecordedVehicle(const recfile::RecordingHeader& header, Selection& selection,
                          SelectionView& view, Registry& registry);

class ReplaySession : public ReplayOutput {
  public:
    // reader holds at least one poll. events and repaint are the main window's.
    ReplaySession(std::unique_ptr<RecordingReader> reader, const ReplayClock& clock,
                  MainState& state, LinkEvents& events, SelectionView& view,
                  RepaintRequests& repaint, Registry& registry, UserVehicle user);
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    const RecordingReader& reader() const { return *reader_; }
    // The player is driven with this session as its output:
    // session.player().seek(timeMs, session).
    ReplayPlayer& player() { return player_; }
    const ReplayPlayer& player() const { return player_; }

    // Paused; the user's car, engine, family and graph set again; the data shown
    // goes out of date.
    void close();

  private:
    void historyCleared() override;
    void replyDue(const JudgedReply& reply, std::size_t segment, bool shown) override;
    void sampleDue(uint32_t timeMs, std::size_t segment) override;
    void useSegment(std::size_t segment, bool shown);

    std::unique_ptr<RecordingReader> reader_;
    MainState& state_;
    SelectionView& view_;
    RepaintRequests& repaint_;
    Registry& registry_;
    UserVehicle user_;
    NoLinkEvents quietEvents_;
    ReplyPresenter shownPresenter_;
    ReplyPresenter quietPresenter_;
    ReplayPlayer player_;
    std::size_t shownSegment_ = static_cast<std::size_t>(-1);
};
