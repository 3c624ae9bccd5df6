// A recording made here, opened in the real main window while it was connected:
// the link stops, the readout, the received-data panel and the labels show the
// recording at the chosen time, and closing gives the user's car back. A file
// that is not a recording changes nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <sstream>
#include <string>
#include <vector>

#include "link/ComPort_win32.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "record/RecordingWriter.h"
#include "tests/win/ProgramDriver.h"
#include "platform/TextConversion.h"

using namespace program_driver;
using recfile::Record;
using recfile::RecordType;

namespace {

// Two golden replies of family 1: idle for the first 10 s, 3000 rpm after.
constexpr const char* kIdle =
    "F4 56 01 B5 00 00 00 1A 0B 00 04 AE 00 17 00 20 00 00 00 00 66 00 00 00 80 10 80 1E 1C 80 80 "
    "F3 43 00 00 5D 00 8D 00 00 1C 00 B8 93 00 02 58 00 00 00 00 00 00 00 00 00 00 00 00 02 00 24 "
    "00 00 00 00 00 00";
constexpr const char* kPartLoad =
    "F4 56 01 B5 00 00 00 1A 0B 00 00 B0 00 46 40 78 00 00 25 00 9E 00 00 00 7F 07 83 2D 2D 80 80 "
    "F3 87 00 00 63 00 8E 00 00 5B 01 55 93 00 0E 10 00 00 00 00 00 00 00 00 00 18 00 00 43 00 85 "
    "00 00 00 00 00 00";

std::array<uint8_t, kGoodReplySize> Bytes(const char* hex) {
    std::array<uint8_t, kGoodReplySize> out{};
    std::istringstream in(hex);
    for (uint8_t& b : out) {
        unsigned v = 0;
        in >> std::hex >> v;
        b = static_cast<uint8_t>(v);
    }
    return out;
}

std::string TempPath(const std::string& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return Narrow(temp) + std::to_string(GetCurrentProcessId()) + " " + name;
}

std::string WriteRecording() {
    const std::string path = TempPath("Просмотр.mrec");
    DeleteFileW(Widen(path).c_str());
    Win32RecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = 1;
    h.car = "NEXIA";
    h.engine = "1.5 SOHC";
    h.startDateTime = "2026-12-09T10:00:00.000+03:00";
    EXPECT_EQ(writer.begin(path, h, 0), FileError::None);
    for (uint32_t t = 0; t <= 20000; t += 125) {
        if (t >= 12000 && t < 12500) {
            writer.poll(t, PollOutcome::NoAnswer, 4, nullptr, 0);
            continue;
        }
        const auto reply = Bytes(t < 10000 ? kIdle : kPartLoad);
        writer.poll(t, PollOutcome::GoodReply, kGoodReplySize, reply.data(), 0);
        if (t == 15000) {
            Record m;
            m.type = RecordType::Marker;
            m.timeMs = t + 1;
            m.number = 1;
            writer.write(m, 0);
        }
    }
    EXPECT_EQ(writer.finish(0), FileError::None);
    return path;
}

} // namespace

TEST(ProgramReplay, ARecordingShowsAsLiveAndTheUsersCarComesBack) {
    TForm1& f = Main();
    const std::string userCar = f.Label2.text(), userEngine = f.Label3.text();
    ASSERT_TRUE(Connect(f));
    const std::string path = WriteRecording();

    ASSERT_TRUE(f.replay.open(path));
    // The link stops first; the window comes once the link thread has let go.
    ASSERT_TRUE(PumpUntil([&f] { return f.replay.window() != nullptr; }, 3000));
    TFormReplay* w = f.replay.window();
    EXPECT_EQ(f.connectState, 0);
    EXPECT_TRUE(linkThread == nullptr || linkThread->SuspendedBySelf());
    EXPECT_FALSE(f.Image15.enabled()); // START
    EXPECT_FALSE(f.Image16.enabled()); // TEST: no command from a recording
    EXPECT_EQ(f.Label2.text(), "NEXIA");
    EXPECT_EQ(f.Label3.text(), "1.5 SOHC");
    EXPECT_TRUE(w->isVisible());
    RECT r{};
    GetWindowRect(w->handle(), &r);
    RECT m{};
    GetWindowRect(f.handle(), &m);
    EXPECT_GE(r.top, m.bottom); // under the main window, not over it

    // The first poll: idle.
    PumpFor(300);
    EXPECT_EQ(f.Param_(1).text(), "800");
    EXPECT_EQ(w->TimeLabel.text(), "00:00.0 / 00:20.0");
    EXPECT_EQ(w->DateLabel.text(), "09.12.2026 10:00:00");

    // To the marker, by the list: 3000 rpm, its raw frame in the panel.
    ASSERT_NE(w->EventList.handle(), nullptr);
    ASSERT_EQ(SendMessageW(w->EventList.handle(), LB_GETCOUNT, 0, 0), 1);
    SendMessageW(w->EventList.handle(), LB_SETCURSEL, 0, 0);
    SendMessageW(w->handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(w->EventList.handle()));
    PumpUntil([&f] { return f.Param_(1).text() == "3000"; }, 2000);
    EXPECT_EQ(f.Param_(1).text(), "3000");
    EXPECT_EQ(f.Param_(3).text(),
              std::string("60") + f.state.selection.decimalSeparator.load() + "2");
    EXPECT_EQ(f.Label51.text(), "Данные получены.");
    const auto raw = f.state.ecu.rawFrame.snapshot();
    const auto partLoad = Bytes(kPartLoad);
    EXPECT_TRUE(std::equal(partLoad.begin(), partLoad.end(), raw.begin()));
    EXPECT_EQ(w->TimeLabel.text(), "00:15.0 / 00:20.0");
    EXPECT_TRUE(f.Image17.enabled()); // the recording's trouble codes

    // The marker's text typed now goes into the file; the recording is read again there.
    ASSERT_TRUE(w->MarkerSaveButton.enabled());
    SetWindowTextW(w->MarkerEdit.handle(), L"детонация на 3000");
    Click(*w, w->MarkerSaveButton);
    const auto reread = [&f] {
        return f.replay.window() &&
               f.replay.window()->session().reader().markers().at(0).text == "детонация на 3000";
    };
    ASSERT_TRUE(PumpUntil(reread, 3000));
    w = f.replay.window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->MessageLabel.text(), "Текст метки сохранён.");
    EXPECT_EQ(w->session().player().positionMs(), 15001u);
    EXPECT_EQ(w->session().reader().markers().at(0).text, "детонация на 3000");
    wchar_t line[200] = {};
    SendMessageW(w->EventList.handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(Narrow(line), "00:15.0  метка 1: детонация на 3000");
    EXPECT_EQ(f.Label2.text(), "NEXIA");

    // Step back over the gap without answers: the panel empties as live.
    Drag(*w, w->Position, 122); // 12.2 s
    PumpFor(200);
    EXPECT_EQ(f.state.ecu.rawFrame.snapshot()[0], 0);
    EXPECT_EQ(f.state.ecu.dataValid.load(), 0.0f);
    Click(*w, w->StepForwardButton);
    Click(*w, w->StepForwardButton);
    Click(*w, w->StepForwardButton);
    Click(*w, w->StepForwardButton);
    PumpFor(200);
    EXPECT_EQ(f.state.ecu.rawFrame.snapshot()[0], 0xF4);

    // Play at 8x for a moment: the clock moves the cursor.
    Click(*w, w->FasterButton);
    Click(*w, w->FasterButton);
    Click(*w, w->FasterButton);
    EXPECT_EQ(w->SpeedLabel.text(), "8×");
    Click(*w, w->PlayButton);
    PumpFor(500);
    EXPECT_GT(w->session().player().positionMs(), 14000u);
    Click(*w, w->PlayButton);

    // The export from the window: from marker 1 to the end, plain CSV; never over a file.
    const std::string csv = TempPath("Просмотр.csv");
    DeleteFileW(Widen(csv).c_str());
    Click(*w, w->FromButton);
    Click(*w, w->PresetButton);
    EXPECT_EQ(w->FromLabel.text(), "метка 1");
    EXPECT_EQ(w->ToLabel.text(), "конец");
    EXPECT_EQ(w->PresetLabel.text(), "стандарт");
    w->exportTo(csv);
    EXPECT_EQ(w->MessageLabel.text(),
              "Сохранено: " + std::to_string(GetCurrentProcessId()) + " Просмотр.csv");
    std::vector<uint8_t> bytes;
    FileError why = FileError::None;
    ASSERT_TRUE(ReadWholeFile(csv, bytes, why));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("Время (с),", 0), 0u); // no BOM, a comma
    int rows = 0;
    for (char c : text)
        rows += c == '\n' ? 1 : 0;
    EXPECT_EQ(rows, 1 + 40); // the heading, then the polls from 15.125 s to 20 s
    w->exportTo(csv);
    EXPECT_NE(w->MessageLabel.text().find("уже есть"), std::string::npos);
    DeleteFileW(Widen(csv).c_str());

    Click(*w, w->CloseButton);
    PumpUntil([&f] { return !f.replay.active(); }, 2000);
    EXPECT_FALSE(f.replay.active());
    EXPECT_EQ(f.Label2.text(), userCar);
    EXPECT_EQ(f.Label3.text(), userEngine);
    EXPECT_TRUE(f.Image15.enabled());
    EXPECT_FALSE(f.Image17.enabled());
    DeleteFileW(Widen(path).c_str());
}

// A file dropped on the main window, as the Explorer hands it over.
void DropFile(HWND window, const std::string& path) {
    const std::wstring wide = Widen(path);
    const SIZE_T size = sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(wide.begin(), wide.end(),
              reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES)));
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST(ProgramReplay, ADroppedRecordingOpensAndAnotherTakesItsPlace) {
    TForm1& f = Main();
    const std::string path = WriteRecording();
    DropFile(f.handle(), path);
    ASSERT_TRUE(PumpUntil([&f] { return f.replay.active(); }, 3000));
    EXPECT_EQ(f.Label2.text(), "NEXIA");
    f.replay.window()->session().player().seek(15000, f.replay.window()->session());
    // A second recording replaces the first, from its start; the user's car still comes
    // back at the end.
    DropFile(f.handle(), path);
    EXPECT_TRUE(
        PumpUntil([&f] { return f.replay.window()->session().player().positionMs() == 0; }, 3000));
    f.replay.close();
    EXPECT_NE(f.Label2.text(), "NEXIA");
    DeleteFileW(Widen(path).c_str());
}

TEST(ProgramReplay, AFileThatIsNoRecordingIsReportedAndChangesNothing) {
    TForm1& f = Main();
    const std::string path = TempPath("не запись.mrec");
    Win32RecordFile file;
    DeleteFileW(Widen(path).c_str());
    ASSERT_EQ(file.create(path), FileError::None);
    const uint8_t text[] = "hello";
    file.append(text, sizeof text);
    file.close();
    std::string shown;
    f.replay.ShowError = [&shown](const std::string& message) { shown = message; };
    const std::string car = f.Label2.text();
    EXPECT_FALSE(f.replay.open(path));
    EXPECT_EQ(shown, rectext::kNotRecording);
    EXPECT_FALSE(f.replay.active());
    EXPECT_EQ(f.Label2.text(), car);
    EXPECT_TRUE(f.Image15.enabled());
    EXPECT_FALSE(f.replay.open(TempPath("нет такого.mrec")));
    EXPECT_EQ(shown, rectext::kCannotOpen);
    f.replay.ShowError = nullptr;
    DeleteFileW(Widen(path).c_str());
}
