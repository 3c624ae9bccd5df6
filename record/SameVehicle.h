#pragma once
// The other recordings of one vehicle in the recordings folder, the candidates for
// the drive before the repair: those whose visit has the same plate (PlateKey) or the
// same VIN (VinKey). Only a bounded head and tail of each file is read: its first
// segment header and the Visit records there, the last one found winning (a visit
// typed while recording is repeated at the recording's end, so the tail has it).
#include <cstddef>
#include <string>
#include <vector>

#include "record/RecordFormat.h"
#include "record/RecordingFolder.h"

constexpr std::size_t kVisitHeadBytes = 64 * 1024;
constexpr std::size_t kVisitTailBytes = 64 * 1024;

struct VehicleRecording {
    std::string path;
    std::string start; // the first header's start, ISO 8601 as written
    std::string date;  // "09.12.2026 21:44"; empty when the start does not parse
    std::string car, engine;
    recfile::Visit visit;
};

// The file's first header and last visit from its head and tail; false when it is no
// recording this program reads or it holds no visit there.
bool ReadVehicleOfRecording(RecordingFolder& disk, const std::string& path, VehicleRecording& out);

// The recordings in folder (not below it) of the vehicle with this plate or VIN
// (either may be empty), but excludePath, newest first.
std::vector<VehicleRecording>
SameVehicleRecordings(RecordingFolder& disk, const std::string& folder, const std::string& plate,
                      const std::string& vin, const std::string& excludePath);
