#pragma once
// A serial port for the native tests: each read delivers what the test scripted
// for it (the adapter's echo of the last write, the ECU's bytes, silence, or raw
// bytes), open attempts fail on request, and every call is recorded.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/SerialPort.h"

class ScriptedSerialPort : public SerialPort {
  public:
    enum class OpenOutcome {
        Ok,
        NoDevice,        // no handle at all
        SettingsRefused, // a handle, but the time-outs cannot be set
    };

    // What one read delivers; at most the read's maxCount bytes of it arrive.
    struct ReadStep {
        bool echo = true;                   // the bytes of the last write come first
        std::vector<uint8_t> bytes;         // then these
        std::function<void()> whileReading; // runs inside the read (a press during a poll)
    };

    // --- scripting ---
    void scriptOpen(OpenOutcome outcome) { openOutcomes_.push_back(outcome); }
    void scriptRead(ReadStep step) { reads_.push_back(std::move(step)); }
    // Echo followed by `answer`.
    void scriptAnswer(std::vector<uint8_t> answer, std::function<void()> whileReading = {});
    // The adapter echoes, the ECU stays silent.
    void scriptEchoOnly() { scriptAnswer({}); }
    // Nothing at all arrives.
    void scriptSilence() { scriptRead({false, {}, {}}); }
    // Exactly these bytes arrive, no echo.
    void scriptRaw(std::vector<uint8_t> bytes) { scriptRead({false, std::move(bytes), {}}); }
    // Pulled out: every write and read fails with an I/O error until put back.
    void setUnplugged(bool unplugged) { unplugged_ = unplugged; }
    // Reads beyond the script: the adapter echoes (true) or nothing comes (false, default).
    void setEchoWhenUnscripted(bool echo) { echoWhenUnscripted_ = echo; }
    size_t pendingReads() const { return reads_.size(); }
    // Runs at the start of every call, named as in Record::calls (a press at any moment).
    std::function<void(const std::string& call)> onCall;

    // --- record ---
    struct Record {
        std::vector<std::string> openedNames;
        std::vector<std::vector<uint8_t>> writes;
        std::vector<int> readSizes; // maxCount of each read
        int purges = 0;
        int closes = 0;        // closes of an open handle
        int opensOverOpen = 0; // open() while a handle was still open
        int ioWhileClosed = 0; // write/read/purge without an open handle
        int ioErrors = 0;      // writes and reads failed while unplugged
        uint32_t idleMs = 0;   // time let pass by idle()
        std::vector<std::string>
            calls; // "open", "settings", "timeouts", "write", "read", "purge", "close"
    };
    const Record& record() const { return record_; }
    void clearRecord() { record_ = Record{}; }

    // --- SerialPort ---
    bool open(const std::string& name) override;
    bool isOpen() const override { return open_; }
    bool applyLineSettings(const SerialLineSettings& s) override;
    bool setTimeouts(const SerialTimeouts& t) override;
    int write(const uint8_t* data, int count) override;
    int read(uint8_t* buffer, int maxCount) override;
    void purgeReceive() override;
    void close() override;
    void idle(uint32_t ms) override { record_.idleMs += ms; }

    SerialLineSettings lastSettings;
    SerialTimeouts lastTimeouts;

  private:
    void note(const char* call);

    std::deque<OpenOutcome> openOutcomes_;
    std::deque<ReadStep> reads_;
    bool echoWhenUnscripted_ = false;
    bool unplugged_ = false;
    bool open_ = false;
    bool timeoutsRefused_ = false;
    std::vector<uint8_t> lastWrite_;
    Record record_;
};
