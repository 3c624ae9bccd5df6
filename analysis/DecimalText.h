#pragma once
// Reading back the numbers the decoder and the scale labels print, whatever the
// C locale says: an optional minus, digits, and a fraction after '.' or ','.
#include <string>

namespace analysis {

// False (and out untouched) for anything else, an empty text included.
bool ParseDecimal(const std::string& text, double& out);

} // namespace analysis
