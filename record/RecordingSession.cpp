#include "record/RecordingSession.h"

#include <cstdio>
#include <vector>

#include "link/AdapterAdvice.h"
#include "record/Recorder.h"
#include "platform/Paths.h"
#include "platform/SerialPort.h"
#include "record/RecordingName.h"
#include "settings/PortChoice.h"
#include "settings/VehicleTables.h"
#include "state/Selection.h"

VehicleChoice ChosenVehicle(const Selection& selection) {
    VehicleChoice choice;
    choice.car = selection.carIndex;
    if (selection.carIndex >= 0 &&
        selection.carIndex < static_cast<int>(selection.engineIndex.size()))
        choice.engine = selection.engineIndex[static_cast<std::size_t>(selection.carIndex)];
    choice.family = selection.ecuFamily.load();
    return choice;
}

recfile::RecordingHeader HeaderForSelection(const Selection& selection,
                                            const std::string& programVersion) {
    recfile::RecordingHeader header;
    header.programVersion = programVersion;
    const VehicleChoice choice = ChosenVehicle(selection);
    if (const CarRow* car = CarAt(choice.car)) header.car = car->label;
    if (const EngineRow* engine = EngineAt(choice.car, choice.engine))
        header.engine = engine->label;
    header.family = choice.family;
    const int port = PortNumberOfDeviceName(selection.portName.get());
    header.port = port > 0 ? "COM" + std::to_string(port) : selection.portName.get();
    header.baud = static_cast<int>(SerialLineSettings{}.baudRate); // the link's own line
    return header;
}

void PutAdapterFacts(recfile::RecordingHeader& header, const UsbAdapterFacts& facts) {
    header.adapter = UsbChipId(ChipOfHardwareId(facts.hardwareId));
    header.adapterId = facts.hardwareId;
    header.latencyMs = facts.latencyMs;
}

RecordingStart StartRecordingIn(Recorder& recorder, const std::string& folder,
                                const std::string& name, const recfile::RecordingHeader& header,
                                const LocalTime& wallNow, int64_t monoNowMs,
                                const recfile::Visit& visit) {
    RecordingStart start;
    for (int n = 1; n <= kRecordingNameTries; ++n) {
        start.path = JoinPath(folder, RecordingFileNameTry(name, n));
        start.error = recorder.start(start.path, header, wallNow, monoNowMs, visit);
        if (start.error != FileError::Exists) break;
    }
    start.message = StartFailureMessage(start.error);
    if (start.error != FileError::None) start.path.clear();
    return start;
}

std::string ElapsedText(int64_t ms) {
    const int64_t seconds = ms > 0 ? ms / 1000 : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string ShortenMiddle(const std::string& text, std::size_t maxChars) {
    // Where each character starts.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    if (starts.size() <= maxChars) return text;
    static const char kEllipsis[] = "\xE2\x80\xA6"; // …
    if (maxChars == 0) return std::string();
    if (maxChars == 1) return kEllipsis;
    const std::size_t keep = maxChars - 1;
    // Two thirds for the end, where the date and time are.
    const std::size_t tail = keep * 2 / 3, head = keep - tail;
    const std::string end = tail ? text.substr(starts[starts.size() - tail]) : std::string();
    return text.substr(0, starts[head]) + kEllipsis + end;
}
