#pragma once
// What the cursor box says at the pointer: the poll nearest to it, its recorded
// clock time and seconds since the start (as the CSV's first column), and the
// value of each lane's channel as the readout and the CSV print it (yes/no as
// "Да"/"Нет"), or what went wrong with a failed poll.
#include <memory>
#include <string>
#include <vector>

#include "record/ChannelValues.h"
#include "analysis/AnalysedRecording.h"

namespace analysis {

struct CursorReadout {
    std::size_t poll = kNoPoll; // none without polls
    double timeMs = 0;          // the poll's
    std::string clockText;      // "21:44:53.250"
    std::string secondsText;    // "125.120"
    bool good = false;
    std::string failure; // a failed poll: "нет ответа", ...; a poll of a segment left out
    std::vector<std::string> values; // one per channel asked for; empty texts for a failed poll
};

class CursorReader {
  public:
    // The poll nearest to timeMs. decimalSymbol: the user's, as the readout uses.
    CursorReadout at(const AnalysedRecording& recording, double timeMs,
                     const std::vector<int>& channels, char decimalSymbol);

  private:
    ChannelValues values_; // the CSV's own decoding, kept for its scratch space
};

} // namespace analysis
