#pragma once
// The engine checks: each of the twelve judged over the polls of a CheckData (a recording, a
// span of one, or a live session's ring), with its verdict, figures, ranges and evidence.
// The figures come from CheckRanges by name, the words from CheckInfo; docs/checks.md says
// what each check looks at.
#include <string>
#include <vector>

#include "checks/CheckData.h"
#include "checks/CheckResult.h"

namespace checks {

// All twelve, in Check order.
std::vector<CheckResult> RunChecks(const CheckData& data);
CheckResult RunCheck(Check check, const CheckData& data);

// The trouble codes the session saw, for the report.
struct SessionCode {
    int errorByte = 0, bit = 0;
    std::string label;                                    // «1.3»
    std::string text;                                     // the family's text for it
    bool present = false;                                 // set in some reply
    bool appeared = false, gone = false, cleared = false; // events in the session
};
std::vector<SessionCode> SessionCodes(const CheckData& data);

} // namespace checks
