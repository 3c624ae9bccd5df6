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
#include <vector>

#include "link/LinkEvents.h"
#include "link/ReplyPresenter.h"
#include "live/Sampler.h"
#include "record/CsvExport.h"
#include "record/RecordFile.h"
#include "record/ReplayPlayer.h"
#include "record/RecordingReader.h"
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

// "mm:ss.t", or "h:mm:ss.t" from an hour on.
std::string FormatElapsed(uint32_t ms);
// The local date-time of a moment of the recording, "09.12.2026 21:44:48";
// empty when the segment's start cannot be read.
std::string RecordedDateTime(const RecordingReader& reader, uint32_t timeMs);

// One line of the list of markers and events: its time and what it is.
struct ReplayEventLine {
    uint32_t timeMs = 0;
    std::string text; // "02:03.4  метка 1: текст"
    int marker = 0;   // the marker's number, 0 for any other event
};
std::vector<ReplayEventLine> ReplayEventLines(const RecordingReader& reader);

// The export from the replay window: the span runs from a choice to a choice,
// 0 being the start (or the end) and k the k-th marker of the recording.
std::string SpanChoiceText(const RecordingReader& reader, int choice, bool end);
CsvSpan SpanOfChoices(const RecordingReader& reader, int from, int to);
// What the window says after an export to path.
std::string ExportMessage(FileError error, const std::string& path);

class ReplaySession : private ReplayOutput, private RepaintRequests {
  public:
    // reader holds at least one poll. events and repaint are the main window's.
    ReplaySession(std::unique_ptr<RecordingReader> reader, const ReplayClock& clock,
                  MainState& state, LinkEvents& events, SelectionView& view,
                  RepaintRequests& repaint, Registry& registry, UserVehicle user);
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    const RecordingReader& reader() const { return *reader_; }
    const ReplayPlayer& player() const { return player_; }

    // The first poll, shown.
    void start();
    // The timer: what the clock has made due, then the repaints asked for.
    void tick();

    void togglePlay();
    void setSpeedIndex(int index) { player_.setSpeedIndex(index); }
    void seek(uint32_t timeMs);
    bool stepForward();
    bool stepBack();
    bool nextEvent();
    bool previousEvent();

    // The user's car, engine, family and graph set again; the data shown
    // goes out of date.
    void close();

  private:
    void historyCleared() override;
    void replyDue(const JudgedReply& reply, std::size_t segment, bool shown) override;
    void sampleDue(uint32_t timeMs, std::size_t segment) override;
    void requestPanelRepaint(int panel) override;
    void useSegment(std::size_t segment, bool shown);
    void flushRepaints();

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
    std::array<bool, 6> repaintAsked_{};
};
