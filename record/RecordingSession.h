#pragma once
// The recording as the main window's record control runs it, without the
// window: which file a new recording goes to (never over an existing one), the
// header the current choice of car and engine gives, when that choice changed,
// and the texts the control shows.
#include <cstdint>
#include <string>

#include "record/IsoTime.h"
#include "record/FileErrorTexts.h"
#include "record/RecordFile.h"
#include "record/RecordFormat.h"

struct UsbAdapterFacts;

class Recorder;
struct Selection;

// How many names a start tries ("name.mrec", "name (2).mrec", ...).
constexpr int kRecordingNameTries = 100;

// The car and engine chosen, as far as a recording cares.
struct VehicleChoice {
    int car = -1;
    int engine = -1;
    int family = 0;
    bool operator==(const VehicleChoice& other) const {
        return car == other.car && engine == other.engine && family == other.family;
    }
    bool operator!=(const VehicleChoice& other) const { return !(*this == other); }
};

VehicleChoice ChosenVehicle(const Selection& selection);

// A segment header for the choice (the start time is the recorder's to fill in).
recfile::RecordingHeader HeaderForSelection(const Selection& selection,
                                            const std::string& programVersion);

// What Windows knew of the adapter behind the port (platform/UsbSerialAdapter_win32) as
// the header's keys: its chip ("unknown" when the port is no USB adapter it knows), the
// hardware id, the latency timer where the driver keeps one.
void PutAdapterFacts(recfile::RecordingHeader& header, const UsbAdapterFacts& facts);

struct RecordingStart {
    FileError error = FileError::None;
    std::string path;              // the file being written (when error is None)
    const char* message = nullptr; // what to tell the user when it failed
};

// Starts the recorder on folder\name, or on "name (2)" and so on when a file of
// that name is there already.
RecordingStart StartRecordingIn(Recorder& recorder, const std::string& folder,
                                const std::string& name, const recfile::RecordingHeader& header,
                                const LocalTime& wallNow, int64_t monoNowMs,
                                const recfile::Visit& visit = recfile::Visit());

// "00:05:07": elapsed hours, minutes and seconds (more than 99 hours as they come).
std::string ElapsedText(int64_t ms);

// At most maxChars characters (UTF-8 aware): the beginning and the end of text
// (two thirds of what is kept) with "…" between them; text itself when it fits.
std::string ShortenMiddle(const std::string& text, std::size_t maxChars);
