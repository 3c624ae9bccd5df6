// The recording's files through the wide API in a folder with a Cyrillic name, and
// motoskop.exe --export-csv run on them as a user would run it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "record/RecordFile_win32.h"
#include "record/RecordingWriter.h"
#include "platform/TextConversion.h"

using recfile::Record;
using recfile::RecordType;

namespace {

constexpr int kPolls = 5;

std::string TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string folder =
        Narrow(temp) + "МОТОСКОП Записи " + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    return folder + "\\";
}

FileError WriteRecording(const std::string& path) {
    Win32RecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = 2;
    h.startDateTime = "2026-12-09T10:00:00.000+03:00";
    const FileError error = writer.begin(path, h, 0);
    if (error != FileError::None) return error;
    for (int i = 0; i < kPolls; ++i) {
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = 250 * i;
        p.outcome = PollOutcome::GoodReply;
        p.received = kGoodReplySize;
        p.hasReply = true;
        for (std::size_t b = 0; b < p.reply.size(); ++b)
            p.reply[b] = static_cast<uint8_t>(b * 3 + i);
        writer.write(p, 0);
    }
    return writer.finish(0);
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes;
    FileError why = FileError::None;
    if (!ReadWholeFile(path, bytes, why)) return {};
    return std::string(bytes.begin(), bytes.end());
}

struct ProgramRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // what the program printed (redirected, so UTF-8)
};

// motoskop.exe from this test's own folder, with stdout into a file.
ProgramRun RunProgram(const std::string& folder, const std::string& arguments) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"motoskop.exe";
    const std::string outPath = folder + "stdout.txt";
    DeleteFileW(Widen(outPath).c_str());
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(Widen(outPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = out;
    start.hStdError = out;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + exe + L"\" " + Widen(arguments);
    PROCESS_INFORMATION process = {};
    ProgramRun run;
    if (CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &start, &process)) {
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exitCode);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    run.output = ReadText(outPath);
    return run;
}

std::size_t Lines(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++n;
    return n;
}

std::string LocaleText(LCTYPE what) {
    wchar_t text[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, what, text, 8);
    return Narrow(text);
}

} // namespace

TEST(Win32RecordFile, CreatesNeverOverAnExistingFileAndAppendsToIt) {
    const std::string folder = TempFolder();
    const std::string path = folder + "проба.bin";
    DeleteFileW(Widen(path).c_str());
    Win32RecordFile file;
    ASSERT_EQ(file.create(path), FileError::None);
    EXPECT_EQ(file.append(reinterpret_cast<const uint8_t*>("abc"), 3), FileError::None);
    EXPECT_EQ(file.flush(), FileError::None);
    file.close();
    EXPECT_EQ(file.create(path), FileError::Exists);
    EXPECT_EQ(ReadText(path), "abc");
    ASSERT_EQ(file.openAppend(path), FileError::None);
    EXPECT_EQ(file.append(reinterpret_cast<const uint8_t*>("de"), 2), FileError::None);
    file.close();
    EXPECT_EQ(ReadText(path), "abcde");
    EXPECT_NE(file.openAppend(folder + "нет такого.bin"), FileError::None);
    EXPECT_EQ(file.create(folder + "нет папки\\x.bin"), FileError::Other);
    EXPECT_EQ(file.append(reinterpret_cast<const uint8_t*>("x"), 1), FileError::Other);
    DeleteFileW(Widen(path).c_str());
}

TEST(ExportCsvCommand, WritesTheRecordingNextToItThenRefusesToOverwrite) {
    const std::string folder = TempFolder();
    const std::string recording = folder + "запись 1.mrec";
    const std::string csv = folder + "запись 1.csv";
    DeleteFileW(Widen(recording).c_str());
    DeleteFileW(Widen(csv).c_str());
    ASSERT_EQ(WriteRecording(recording), FileError::None);
    RecordingReader reader;
    ASSERT_EQ(OpenRecording(reader, recording), ReadStatus::Ok);
    EXPECT_EQ(reader.pollCount(), static_cast<std::size_t>(kPolls));

    ProgramRun run = RunProgram(folder, "--export-csv \"" + recording + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("запись 1.csv"), std::string::npos) << run.output;
    const std::string text = ReadText(csv);
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no BOM";
    const std::string decimal = LocaleText(LOCALE_SDECIMAL);
    const std::string list = LocaleText(LOCALE_SLIST);
    const char separator = list.size() == 1 && list != decimal ? list[0] : ';';
    EXPECT_EQ(text.find(std::string("\xEF\xBB\xBF") + "Время (с)" + separator + "Дата и время"), 0u)
        << text.substr(0, 80);
    EXPECT_EQ(Lines(text), 1u + kPolls);

    run = RunProgram(folder, "--export-csv \"" + recording + "\"");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.output.find("уже есть"), std::string::npos) << run.output;
    EXPECT_EQ(ReadText(csv), text);

    const std::string standard = folder + "стандарт.csv";
    DeleteFileW(Widen(standard).c_str());
    run = RunProgram(folder, "--export-csv \"" + recording + "\" \"" + standard + "\" --standard");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    const std::string plain = ReadText(standard);
    EXPECT_EQ(plain.find("Время (с),Дата и время,"), 0u) << plain.substr(0, 80);
    EXPECT_NE(plain.find("\r\n0.250,"), std::string::npos);
    EXPECT_EQ(Lines(plain), 1u + kPolls);

    DeleteFileW(Widen(recording).c_str());
    DeleteFileW(Widen(csv).c_str());
    DeleteFileW(Widen(standard).c_str());
}

TEST(ExportCsvCommand, AMissingRecordingExitsThreeAndSaysSo) {
    const std::string folder = TempFolder();
    const ProgramRun run = RunProgram(folder, "--export-csv \"" + folder + "нет.mrec\"");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.output.find("не удалось открыть файл записи"), std::string::npos) << run.output;
    EXPECT_EQ(GetFileAttributesW(Widen(folder + "нет.csv").c_str()), INVALID_FILE_ATTRIBUTES);
}
