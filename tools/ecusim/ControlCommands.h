#pragma once
// One line of the control file (or of the command line's --set) applied to the settings.
#include <string>

#include "tools/ecusim/Settings.h"

namespace ecusim {

enum class ControlResult { Applied, Quit, Mark, Error };

// Commands:
//   family N            confirm on|off        codes B1 B2 B3 B4 (hex bytes)
//   fault none|silent|echo|short|long69|long70|wrongecho|garbage|hangup N|drop N
//   engine-fault none|NAME[,NAME...] (EngineFaults.h: o2-lazy, fan-dead ...)
//   pace on|off         delay MS              reset (command-line state)
//   mark TEXT (no effect; logged, for synchronising)     quit
// An Error leaves the settings as they were.
ControlResult applyControlLine(const std::string& line, Settings& settings,
                               const Settings& initial);

} // namespace ecusim
