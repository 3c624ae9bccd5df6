#include "record/TroubleCodeLabels.h"

#include "codes/TroubleCodeMessages.h"

std::string TroubleCodeLabel(int errorByte, int bit) {
    return std::to_string(errorByte) + "." + std::to_string(bit);
}

std::string TroubleCodeText(int family, int errorByte, int bit) {
    const TroubleCodeTable table = TroubleCodeMessages(family);
    for (std::size_t i = 0; i < table.size; ++i)
        if (table.rows[i].errorByte == errorByte && table.rows[i].bit == bit)
            return table.rows[i].message;
    return std::string();
}

std::string ActiveTroubleCodes(const unsigned char* reply, int family) {
    std::string codes;
    for (int k = 1; k <= UsedErrorBytes(family); ++k)
        for (int bit = 0; bit < 8; ++bit)
            if ((reply[8 + k] >> bit) & 1) {
                if (!codes.empty()) codes += ' ';
                codes += TroubleCodeLabel(k, bit);
            }
    return codes;
}
