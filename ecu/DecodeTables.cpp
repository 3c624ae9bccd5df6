#include "ecu/DecodeTables.h"

namespace decode {

const FamilyLayout* familyLayout(int family) {
    switch (family) {
    case 1:
        return &family1Layout();
    case 2:
        return &family2Layout();
    case 3:
        return &family3Layout();
    case 4:
        return &family4Layout();
    default:
        return nullptr;
    }
}

} // namespace decode
