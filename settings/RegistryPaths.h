#pragma once
// Key paths and value names of the settings tree under HKEY_CURRENT_USER.
// The key of the active graph set is carKey + engineKey + currentGraphSet,
// e.g. "\MOTOSKOP\CARS\Leganza" + "\ENGINE\2.2_DOHC\" + "SET_GRAF7".
#include <string>

namespace regpath {

constexpr const char* kRoot = "\\MOTOSKOP";
constexpr const char* kCars = "\\MOTOSKOP\\CARS";
constexpr const char* kCom = "\\MOTOSKOP\\Com";
// The analysis window, one key per ECU family: "\MOTOSKOP\ANALYSIS\FAMILY4".
constexpr const char* kAnalysis = "\\MOTOSKOP\\ANALYSIS";

constexpr const char* kCarsValue = "Cars";
constexpr const char* kComPortValue = "ComPort";
// REG_SZ under kRoot: the workshop's name, at the head of every report.
constexpr const char* kWorkshopValue = "Workshop";

constexpr int kGraphSets = 12;
constexpr int kGraphs = 4;

// "\MOTOSKOP\CARS\" + car key, no trailing backslash.
inline std::string carKey(const std::string& car) {
    return std::string(kCars) + "\\" + car;
}

// carKey + "\ENGINE": holds the car's engine-choice value.
inline std::string engineListKey(const std::string& car) {
    return carKey(car) + "\\ENGINE";
}

// "\ENGINE\" + engine key + "\".
inline std::string engineKey(const std::string& engine) {
    return "\\ENGINE\\" + engine + "\\";
}

// "SET_GRAF1".."SET_GRAF12".
inline std::string graphSetName(int set) {
    return "SET_GRAF" + std::to_string(set);
}

// "Graf1".."Graf4" for graphs 1..4.
inline std::string grafValue(int graph) {
    return "Graf" + std::to_string(graph);
}

// kAnalysis + "\FAMILY" + family.
inline std::string analysisKey(int family) {
    return std::string(kAnalysis) + "\\FAMILY" + std::to_string(family);
}

} // namespace regpath
