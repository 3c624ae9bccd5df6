#include "record/EventText.h"

#include <cstdio>

#include "record/RecordTexts.h"
#include "record/TroubleCodeLabels.h"

using recfile::RecordType;

namespace {

std::string codeText(const char* what, const recfile::Record& r, int family) {
    std::string text = std::string(what) + " " + TroubleCodeLabel(r.errorByte, r.bit);
    const std::string message = TroubleCodeText(family, r.errorByte, r.bit);
    if (!message.empty()) text += " (" + message + ")";
    return text;
}

} // namespace

std::string PollEventText(const recfile::Record& poll) {
    switch (poll.outcome) {
    case PollOutcome::GoodReply:
        return poll.hasReply ? std::string() : rectext::kNoAnswer;
    case PollOutcome::NoAnswer:
        return rectext::kNoAnswer;
    case PollOutcome::WrongEcho:
        return rectext::kWrongEcho;
    case PollOutcome::LinkBroken:
        return rectext::kLinkBroken;
    case PollOutcome::NotPolled:
        return rectext::kNotPolled;
    }
    return std::string();
}

std::string EventText(const recfile::Record& r, int family) {
    switch (r.type) {
    case RecordType::LinkStart:
        return rectext::kLinkStart;
    case RecordType::LinkStop:
        return rectext::kLinkStop;
    case RecordType::RecordStart:
        return rectext::kRecordStart;
    case RecordType::ClearCodes:
        return rectext::kClearCodes;
    case RecordType::CodeAppeared:
        return codeText(rectext::kCodeAppeared, r, family);
    case RecordType::CodeGone:
        return codeText(rectext::kCodeGone, r, family);
    case RecordType::Marker:
    case RecordType::MarkerText: {
        std::string text = std::string(rectext::kMarker) + " " + std::to_string(r.number);
        if (!r.text.empty()) text += ": " + r.text;
        return text;
    }
    case RecordType::Command: {
        std::string text = rectext::kCommand;
        for (uint8_t b : r.frame) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", b);
            text += hex;
        }
        if (r.verdict == recfile::CommandVerdict::Confirmed)
            text += std::string(": ") + rectext::kConfirmed;
        if (r.verdict == recfile::CommandVerdict::Rejected)
            text += std::string(": ") + rectext::kRejected;
        return text;
    }
    case RecordType::SegmentHeader:
    case RecordType::Poll:
    case RecordType::Visit:
        break;
    }
    return std::string();
}
