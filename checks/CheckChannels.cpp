#include "checks/CheckChannels.h"

#include <array>
#include <cmath>
#include <vector>

#include "ecu/DecodeTables.h"
#include "link/JudgedReply.h"
#include "analysis/AnalysisChannels.h"
#include "analysis/PollDecoder.h"

namespace checks {

namespace {

struct RoleRow {
    Role role;
    const char* mnemonic[4]; // families 1..4
};

// clang-format off
const RoleRow kRoles[] = {
//   role               family 1     family 2     family 3     family 4
    {Role::Rpm,         {"FREQ",     "FREQ",      "FREQ",      "FREQ"}},
    {Role::DesiredIdle, {"DEFR",     "DEFR",      "DEFR",      "JUFRXX"}},
    {Role::Coolant,     {"TWAT",     "TWAT",      "TWAT",      "TWAT"}},
    {Role::IntakeAir,   {"TAIR",     "TAIR",      "TAIR",      "TAIR"}},
    {Role::Throttle,    {"THR",      "THR",       "THR",       "THR"}},
    {Role::ThrottleV,   {"UTHR",     "UTHR",      "UTHR",      "UTHR"}},
    {Role::Map,         {"MAP",      "MAP",       "MAP",       "MAP"}},
    {Role::Baro,        {"BARO",     "BARO",      "BARO",      "BARO"}},
    {Role::Speed,       {"SPEED",    "SPEED",     "SPEED",     "SPEED"}},
    {Role::Battery,     {"UBAT",     "UBAT",      "UBAT",      "UBAT"}},
    {Role::Oxygen,      {"UO2SENS",  "UO2SENS",   "UO2SENS",   "UO2SENS"}},
    {Role::ClosedLoop,  {"JOOP",     "JOOP",      "JOOP",      "LOOP"}},
    {Role::Learn,       {"LEARN",    "LEARN",     "LEARN",     "LEARN"}},
    {Role::Integrator,  {"INT",      "INT",       "INT",       "INT"}},
    {Role::IdleAir,     {"FSM",      "FSM",       "FSM",       "FSM"}},
    {Role::Fan,         {"FAN",      "FAN",       "FAN",       "Low fan"}},
};
// clang-format on

} // namespace

int ChannelOf(Role role, int family) {
    if (family < 1 || family > 4) return -1;
    for (const RoleRow& row : kRoles)
        if (row.role == role) return analysis::FindChannel(family, row.mnemonic[family - 1]);
    return -1;
}

bool ReadingAtRaw(int family, int channel, int raw, double& out) {
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (!layout || channel < 0 || channel >= layout->rowCount) return false;
    const decode::ChannelRule& rule = layout->rows[channel];
    if (rule.rule != decode::Rule::Number) return false;
    analysis::PollDecoder decoder(family);
    std::array<uint8_t, kGoodReplySize> reply{};
    reply[0] = 0xF4, reply[1] = 0x56, reply[2] = 0x01, reply[3] = 0xB5, reply[4] = 0xF4;
    reply[rule.byte] = static_cast<uint8_t>(raw);
    std::vector<float> values(decoder.channelCount());
    decoder.decodeDirectly(reply.data(), values.data());
    if (channel >= static_cast<int>(values.size()) || std::isnan(values[channel])) return false;
    out = values[channel];
    return true;
}

} // namespace checks
