// The start-up settings load against the Win32 registry, under a scratch key
// of its own so the user's \MOTOSKOP is never touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "state/MainState.h"
#include "platform/Win32Registry.h"
#include "settings/SelectionView.h"
#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"

namespace {

const char* const kScratch = "MOTOSKOP_SETTINGS_TEST"; // below HKEY_CURRENT_USER
const std::string kPrefix = std::string("\\") + kScratch;

// Puts every path below the scratch key and counts the keys that are open.
class ScratchRegistry : public Registry {
  public:
    int openKeys = 0;

    bool keyExists(const std::string& path) override { return real_.keyExists(kPrefix + path); }
    std::unique_ptr<RegistryKey> openKey(const std::string& path, bool create) override {
        auto key = real_.openKey(kPrefix + path, create);
        if (!key) return nullptr;
        return std::make_unique<Counted>(std::move(key), openKeys);
    }

  private:
    class Counted : public RegistryKey {
      public:
        Counted(std::unique_ptr<RegistryKey> key, int& open) : key_(std::move(key)), open_(open) {
            ++open_;
        }
        ~Counted() override { --open_; }
        bool valueExists(const std::string& n) override { return key_->valueExists(n); }
        bool readDword(const std::string& n, uint32_t& v) override { return key_->readDword(n, v); }
        bool writeDword(const std::string& n, uint32_t v) override {
            return key_->writeDword(n, v);
        }
        bool readString(const std::string& n, std::string& v) override {
            return key_->readString(n, v);
        }
        bool writeString(const std::string& n, const std::string& v) override {
            return key_->writeString(n, v);
        }

      private:
        std::unique_ptr<RegistryKey> key_;
        int& open_;
    };
    Win32Registry real_;
};

class NullView : public SelectionView {
  public:
    std::string port = "Com-1";
    std::string captions[4] = {"P", "P", "P", "P"};
    void setCarLabel(const std::string&) override {}
    void setEngineLabel(const std::string&) override {}
    void setPortLabel(const std::string& text) override { port = text; }
    void setGraphCaption(int graph, const std::string& text) override {
        captions[graph - 1] = text;
    }
    void setGraphSetButtonVisible(int, bool) override {}
    void setGraphSetLabel(const std::string&) override {}
    void repaintGraphs() override {}
};

std::string full(const char* path) {
    return std::string(kScratch) + path;
}

std::vector<std::string> subKeys(const char* path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, full(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    RegCloseKey(key);
    return names;
}

DWORD valueCount(const char* path) {
    HKEY key = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, full(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return values;
}

bool readDword(const char* path, const char* name, DWORD& out) {
    DWORD type = 0, size = sizeof(out);
    return RegGetValueA(HKEY_CURRENT_USER, full(path).c_str(), name, RRF_RT_ANY, &type, &out,
                        &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

void writeRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, full(path).c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

class RegistrySettings : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override {
        EXPECT_EQ(registry.openKeys, 0);
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }

    // One start of the program: fresh members, load, port.
    std::unique_ptr<MainState> start(NullView& view) {
        auto state = std::make_unique<MainState>();
        LoadSettingsAtStartup(registry, state->selection, state->colours, view);
        ApplyPortIndex(state->selection, view);
        return state;
    }

    ScratchRegistry registry;
};

TEST_F(RegistrySettings, FirstStartThenLaterStarts) {
    NullView first;
    auto state = start(first);
    EXPECT_EQ(state->selection.portName.get(), "COM1");
    EXPECT_EQ(subKeys("\\MOTOSKOP"), (std::vector<std::string>{"CARS", "Com"}));
    EXPECT_EQ(
        subKeys("\\MOTOSKOP\\CARS"),
        (std::vector<std::string>{"ESPERO", "Lanos", "Leganza", "Leman", "Magnus", "Matiz", "Nexia",
                                  "NexiaUZ", "Nubira", "NubiraII", "Prince", "Rezzo"}));
    EXPECT_EQ(subKeys("\\MOTOSKOP\\CARS\\ESPERO\\ENGINE").size(), 7u);
    EXPECT_EQ(subKeys("\\MOTOSKOP\\CARS\\Prince\\ENGINE\\2.2").size(), 12u);
    EXPECT_EQ(valueCount("\\MOTOSKOP\\CARS\\Rezzo\\ENGINE\\Rezzo\\SET_GRAF12"), 4u);
    EXPECT_EQ(valueCount("\\MOTOSKOP\\Com"), 1u); // ComPort only: no colours yet
    DWORD v = 99;
    EXPECT_TRUE(readDword("\\MOTOSKOP\\CARS\\Nubira\\ENGINE", "EngNubira", v));
    EXPECT_EQ(v, 0u);

    // The next start stores the sixteen colour defaults; a wrong-typed one is replaced.
    writeRaw("\\MOTOSKOP\\Com", "GRID_R", REG_SZ, "80", 3);
    NullView second;
    state = start(second);
    EXPECT_EQ(valueCount("\\MOTOSKOP\\Com"), 17u);
    EXPECT_TRUE(readDword("\\MOTOSKOP\\Com", "GRID_R", v));
    EXPECT_EQ(v, 50u);
    EXPECT_FLOAT_EQ(state->colours.gridColour.r, 0.5f);

    // Values edited while the program is closed.
    const DWORD zero = 0, twoHundred = 200, five = 5, forty = 40;
    writeRaw("\\MOTOSKOP\\Com", "GRID_T", REG_DWORD, &zero, 4);
    writeRaw("\\MOTOSKOP\\Com", "Text_B", REG_DWORD, &twoHundred, 4);
    writeRaw("\\MOTOSKOP\\Com", "ComPort", REG_DWORD, &five, 4);
    writeRaw("\\MOTOSKOP\\CARS\\ESPERO\\ENGINE\\1.5_MPFI_DOHC_1\\SET_GRAF1", "Graf3", REG_DWORD,
             &forty, 4);
    NullView third;
    state = start(third);
    EXPECT_EQ(state->colours.gridColour.t, 0.0f);
    EXPECT_FLOAT_EQ(state->colours.textColour.b, 2.0f);
    EXPECT_EQ(state->selection.portName.get(), "COM6");
    EXPECT_EQ(third.port, "Com-6");
    EXPECT_EQ(state->selection.graphParam[2], 40);
    EXPECT_EQ(third.captions[2], "P"); // beyond the 34 rows of family 1
}

} // namespace
