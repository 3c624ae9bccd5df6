#include "platform/ScriptedSerialPort.h"

#include <algorithm>

void ScriptedSerialPort::scriptAnswer(std::vector<uint8_t> answer,
                                      std::function<void()> whileReading) {
    scriptRead({true, std::move(answer), std::move(whileReading)});
}

void ScriptedSerialPort::note(const char* call) {
    record_.calls.push_back(call);
    if (onCall) onCall(call);
}

bool ScriptedSerialPort::open(const std::string& name) {
    note("open");
    record_.openedNames.push_back(name);
    if (open_) ++record_.opensOverOpen;
    OpenOutcome outcome = OpenOutcome::Ok;
    if (!openOutcomes_.empty()) {
        outcome = openOutcomes_.front();
        openOutcomes_.pop_front();
    }
    if (outcome == OpenOutcome::NoDevice) return open_;
    open_ = true;
    timeoutsRefused_ = outcome == OpenOutcome::SettingsRefused;
    return true;
}

bool ScriptedSerialPort::applyLineSettings(const SerialLineSettings& s) {
    note("settings");
    lastSettings = s;
    return open_;
}

bool ScriptedSerialPort::setTimeouts(const SerialTimeouts& t) {
    note("timeouts");
    lastTimeouts = t;
    return open_ && !timeoutsRefused_;
}

int ScriptedSerialPort::write(const uint8_t* data, int count) {
    note("write");
    if (!open_ || data == nullptr || count <= 0) {
        ++record_.ioWhileClosed;
        return 0;
    }
    if (unplugged_) {
        ++record_.ioErrors;
        return -1;
    }
    lastWrite_.assign(data, data + count);
    record_.writes.push_back(lastWrite_);
    return count;
}

int ScriptedSerialPort::read(uint8_t* buffer, int maxCount) {
    note("read");
    record_.readSizes.push_back(maxCount);
    if (!open_ || buffer == nullptr || maxCount <= 0) {
        ++record_.ioWhileClosed;
        return 0;
    }
    ReadStep step{echoWhenUnscripted_, {}, {}};
    if (!reads_.empty()) {
        step = std::move(reads_.front());
        reads_.pop_front();
    }
    if (step.whileReading) step.whileReading();
    if (unplugged_) { // also when pulled out during this read
        ++record_.ioErrors;
        return -1;
    }

    std::vector<uint8_t> line;
    if (step.echo) line = lastWrite_;
    line.insert(line.end(), step.bytes.begin(), step.bytes.end());
    const int count = std::min(maxCount, static_cast<int>(line.size()));
    std::copy(line.begin(), line.begin() + count, buffer);
    return count;
}

void ScriptedSerialPort::purgeReceive() {
    note("purge");
    if (!open_) {
        ++record_.ioWhileClosed;
        return;
    }
    ++record_.purges;
}

void ScriptedSerialPort::close() {
    note("close");
    if (!open_) return;
    open_ = false;
    timeoutsRefused_ = false;
    ++record_.closes;
}
