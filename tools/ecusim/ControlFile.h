#pragma once
// The control file: an append-only text file of command lines. Writers append whole
// lines; the simulator reads the lines added since its last look.
#include <string>
#include <vector>

namespace ecusim {

class ControlFile {
  public:
    // Creates (or empties) the file.
    bool open(const std::string& path);
    // Complete lines appended since the last call (a line without its newline waits).
    std::vector<std::string> newLines();

  private:
    std::string path_;
    long offset_ = 0;
    std::string partial_;
};

} // namespace ecusim
