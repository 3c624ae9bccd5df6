#include "settings/PortChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "state/Selection.h"
#include "platform/Registry.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"
#include "settings/VehicleSelection.h"
#include "settings/VehicleTables.h"

namespace {

constexpr int kHighestComNumber = 256;

void showPort(Selection& selection, SelectionView& view, int portIndex) {
    selection.portName.set(PortDeviceName(portIndex));
    view.setPortLabel(PortLabelText(portIndex));
}

void storePort(Registry& registry, int portIndex) {
    if (auto com = registry.openKey(regpath::kCom, true))
        com->writeDword(regpath::kComPortValue, static_cast<uint32_t>(portIndex));
}

} // namespace

int ComNumberOfName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6) return 0;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    if (name[3] == '0') return 0;
    int number = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number <= kHighestComNumber ? number : 0;
}

int PortNumberOfDeviceName(const std::string& name) {
    const std::string prefix = "\\\\.\\";
    return ComNumberOfName(name.rfind(prefix, 0) == 0 ? name.substr(prefix.size()) : name);
}

std::vector<int> PresentComNumbers(const std::vector<std::string>& deviceNames) {
    std::vector<int> numbers;
    for (const std::string& name : deviceNames)
        if (const int n = ComNumberOfName(name)) numbers.push_back(n);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::vector<int> PortCycle(const std::vector<int>& present) {
    std::vector<int> cycle;
    for (int i = 0; i < kPortCount; ++i)
        cycle.push_back(i);
    std::vector<int> extra;
    for (int number : present)
        if (number > kPortCount && number <= kHighestComNumber) extra.push_back(number - 1);
    std::sort(extra.begin(), extra.end());
    extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
    cycle.insert(cycle.end(), extra.begin(), extra.end());
    return cycle;
}

int NextPortIndex(int current, const std::vector<int>& present) {
    const std::vector<int> cycle = PortCycle(present);
    const auto at = std::find(cycle.begin(), cycle.end(), current);
    if (at == cycle.end() || at + 1 == cycle.end()) return 0;
    return *(at + 1);
}

bool IsPortPresent(int portIndex, const std::vector<int>& present) {
    return std::find(present.begin(), present.end(), portIndex + 1) != present.end();
}

std::string PortDeviceName(int portIndex) {
    const std::string name = "COM" + std::to_string(portIndex + 1);
    return portIndex + 1 >= 10 ? "\\\\.\\" + name : name;
}

std::string PortLabelText(int portIndex) {
    return "Com-" + std::to_string(portIndex + 1);
}

void ApplyPortIndexAmong(Selection& selection, SelectionView& view,
                         const std::vector<int>& present) {
    const int index = selection.portIndex;
    if (index >= 0 && index < kPortCount) {
        ApplyPortIndex(selection, view);
    } else if (index >= kPortCount && IsPortPresent(index, present)) {
        showPort(selection, view, index);
    }
}

void SelectNextPresentPort(Registry& registry, Selection& selection, SelectionView& view,
                           const std::vector<int>& present) {
    if (auto com = registry.openKey(regpath::kCom, false)) {
        uint32_t stored = 0;
        if (com->readDword(regpath::kComPortValue, stored))
            selection.portIndex = static_cast<int32_t>(stored);
    }
    selection.portIndex = NextPortIndex(selection.portIndex, present);
    storePort(registry, selection.portIndex);
    ApplyPortIndexAmong(selection, view, present);
}

void ChoosePort(Registry& registry, Selection& selection, SelectionView& view, int portIndex) {
    if (portIndex < 0 || portIndex >= kHighestComNumber) return;
    selection.portIndex = portIndex;
    storePort(registry, portIndex);
    showPort(selection, view, portIndex);
}
