#include "state/ChannelStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "ecu/DecodeTables.h"

namespace {

// A channel's kind, as its family's reply layout has it.
enum class Kind { None, Plain, Group, GroupWithFlags };

Kind KindOf(int family, int index) {
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (layout == nullptr || index < 0 || index >= layout->rowCount) return Kind::None;
    switch (layout->rows[index].rule) {
    case decode::Rule::BitGroup:
        return Kind::GroupWithFlags;
    case decode::Rule::ErrorGroup:
        return Kind::Group;
    default:
        return Kind::Plain;
    }
}

// Shifts slots 0..449 up into 1..450 and advances the positions of a fresh tick.
void shiftHistory(int32_t* history, int32_t* xPos, int32_t sample) {
    history[0] = sample;
    std::memmove(history + 1, history, sizeof(int32_t) * kKeptSamples);
    if (xPos[kKeptSamples] >= kKeptSamples) return; // every position already final
    for (int32_t i = 1; i <= kKeptSamples; ++i)
        xPos[i] += xPos[i] < i ? 1 : 0;
}

} // namespace

ChannelStore::ChannelStore() {
    int records = 0, groups = 0;
    for (int family = kFirstChannelFamily; family <= kLastChannelFamily; ++family)
        for (int index = 0; index < channelCount(family); ++index)
            ++(KindOf(family, index) == Kind::Plain ? records : groups);
    records_ = std::make_unique<ChannelRecord[]>(static_cast<std::size_t>(records));
    groups_ = std::make_unique<BitGroupRecord[]>(static_cast<std::size_t>(groups));
    int nextRecord = 0, nextGroup = 0;
    for (int family = kFirstChannelFamily; family <= kLastChannelFamily; ++family) {
        std::vector<Slot>& slots = slots_[family];
        slots.resize(static_cast<std::size_t>(channelCount(family)));
        for (int index = 0; index < channelCount(family); ++index) {
            Slot& s = slots[static_cast<std::size_t>(index)];
            const Kind kind = KindOf(family, index);
            if (kind == Kind::Plain) {
                s.record = &records_[nextRecord++];
            } else {
                s.group = &groups_[nextGroup++];
                s.group->hasBitFlags = kind == Kind::GroupWithFlags;
            }
        }
    }
}

int ChannelStore::channelCount(int family) {
    if (family < kFirstChannelFamily || family > kLastChannelFamily) return 0;
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    return layout ? layout->rowCount : 0;
}

bool ChannelStore::exists(int family, int index) {
    return index >= 0 && index < channelCount(family);
}

bool ChannelStore::isBitGroup(int family, int index) {
    const Kind kind = KindOf(family, index);
    return kind == Kind::Group || kind == Kind::GroupWithFlags;
}

bool ChannelStore::hasBitFlags(int family, int index) {
    return KindOf(family, index) == Kind::GroupWithFlags;
}

ChannelStore::Slot ChannelStore::slot(int family, int index) const {
    if (!exists(family, index)) return Slot{};
    return slots_[family][static_cast<std::size_t>(index)];
}

void ChannelStore::setText(int family, int index, const std::string& text) {
    Slot s = slot(family, index);
    if (!s.record) return;
    std::lock_guard<std::mutex> guard(lock_);
    s.record->text = text;
}

void ChannelStore::setBitText(int family, int index, int bit, const char* text) {
    Slot s = slot(family, index);
    if (!s.group || bit < 0 || bit > 7 || !text) return;
    std::lock_guard<std::mutex> guard(lock_);
    s.group->bitTexts[bit] = text;
}

void ChannelStore::setValue(int family, int index, float value) {
    Slot s = slot(family, index);
    if (s.record) s.record->value.store(value);
    if (s.group) s.group->value.store(value);
}

void ChannelStore::setBitFlag(int family, int index, int bit, bool set) {
    Slot s = slot(family, index);
    if (!s.group || !s.group->hasBitFlags || bit < 0 || bit > 7) return;
    std::lock_guard<std::mutex> guard(lock_);
    s.group->bitFlags[bit] = set;
}

void ChannelStore::setBits(int family, int index, uint8_t byte) {
    Slot s = slot(family, index);
    if (!s.group) return;
    std::lock_guard<std::mutex> guard(lock_);
    for (int j = 0; j < 8; ++j) {
        const bool set = ((byte >> j) & 1) != 0;
        s.group->bitTexts[j] = set ? "1" : "0";
        if (s.group->hasBitFlags) s.group->bitFlags[j] = set;
    }
}

bool ChannelStore::bitFlag(int family, int index, int bit) const {
    Slot s = slot(family, index);
    if (!s.group || !s.group->hasBitFlags || bit < 0 || bit > 7) return false;
    std::lock_guard<std::mutex> guard(lock_);
    return s.group->bitFlags[bit];
}

float ChannelStore::value(int family, int index) const {
    Slot s = slot(family, index);
    if (s.record) return s.record->value.load();
    if (s.group) return s.group->value.load();
    return 0.0f;
}

std::string ChannelStore::text(int family, int index) const {
    Slot s = slot(family, index);
    if (!s.record) return {};
    std::lock_guard<std::mutex> guard(lock_);
    return s.record->text;
}

std::string ChannelStore::bitText(int family, int index, int bit) const {
    Slot s = slot(family, index);
    if (!s.group || bit < 0 || bit > 7) return {};
    std::lock_guard<std::mutex> guard(lock_);
    return s.group->bitTexts[bit];
}

int32_t ChannelStore::historySlot(int family, int index, int slotIndex) const {
    Slot s = slot(family, index);
    if (slotIndex < 0 || slotIndex >= kHistorySlots) return 0;
    std::lock_guard<std::mutex> guard(lock_);
    if (s.record) return s.record->history[slotIndex];
    if (s.group) return s.group->history[slotIndex];
    return 0;
}

int32_t ChannelStore::xPosSlot(int family, int index, int slotIndex) const {
    Slot s = slot(family, index);
    if (slotIndex < 0 || slotIndex >= kHistorySlots) return 0;
    std::lock_guard<std::mutex> guard(lock_);
    if (s.record) return s.record->xPos[slotIndex];
    if (s.group) return s.group->xPos[slotIndex];
    return 0;
}

bool ChannelStore::snapshot(int family, int index, ChannelSnapshot& out) const {
    Slot s = slot(family, index);
    if (!s.record && !s.group) return false;
    std::lock_guard<std::mutex> guard(lock_);
    const int32_t* history = s.record ? s.record->history : s.group->history;
    const int32_t* xPos = s.record ? s.record->xPos : s.group->xPos;
    out.isBitGroup = s.group != nullptr;
    if (s.record) {
        out.text = s.record->text;
        for (std::string& t : out.bitTexts)
            t.clear();
    } else {
        out.text.clear();
        for (int j = 0; j < 8; ++j)
            out.bitTexts[j] = s.group->bitTexts[j];
    }
    std::memcpy(out.history, history, sizeof(out.history));
    std::memcpy(out.xPos, xPos, sizeof(out.xPos));
    return true;
}

int32_t ChannelStore::truncateSample(float value) {
    // 2^63 as a float; anything at or beyond it (and NaN) has no 64-bit integer,
    // where the processor's conversion yields 0x8000000000000000, low half 0.
    constexpr float kLimit = 9223372036854775808.0f;
    if (!(std::fabs(value) < kLimit)) return 0;
    const int64_t whole = static_cast<int64_t>(value); // rounds toward zero
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

void ChannelStore::sample(int family) {
    const int count = channelCount(family);
    if (count == 0) return;
    std::lock_guard<std::mutex> guard(lock_);
    for (int index = 0; index < count; ++index) {
        const Slot& s = slots_[family][static_cast<std::size_t>(index)];
        if (s.record)
            shiftHistory(s.record->history, s.record->xPos, truncateSample(s.record->value.load()));
        else
            shiftHistory(s.group->history, s.group->xPos, truncateSample(s.group->value.load()));
    }
}

void ChannelStore::clearHistories() {
    std::lock_guard<std::mutex> guard(lock_);
    for (const std::vector<Slot>& slots : slots_)
        for (const Slot& s : slots) {
            int32_t* history = s.record ? s.record->history : s.group->history;
            int32_t* xPos = s.record ? s.record->xPos : s.group->xPos;
            std::fill(history, history + kHistorySlots, 0);
            std::fill(xPos, xPos + kHistorySlots, 0);
        }
}
