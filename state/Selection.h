#pragma once
// What the user has chosen: car, engine and their ECU family, the port, the
// active graph set and its four parameters, and the user's decimal separator.
// Written on the GUI thread; the link thread and the sampler read the atomic
// and shared fields.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "state/SharedText.h"

struct Selection {
    int32_t carIndex = 0;
    std::array<int32_t, 12> engineIndex{};
    std::string carKey = "\\MOTOSKOP\\CARS\\ESPERO";
    std::string engineKey = "\\ENGINE\\1.5_MPFI_DOHC_1\\";
    std::atomic<int32_t> ecuFamily{1}; // read by the link thread and the sampler

    int32_t portIndex = 0;
    SharedText portName{"Com1"}; // read by the link thread at each open

    std::string currentGraphSet = "SET_GRAF1";
    std::array<int32_t, 4> graphParam{};

    // Number texts use it (a comma with Russian settings); read by the link thread.
    std::atomic<char> decimalSeparator{','};
};
