#include "record/PreRoll.h"

#include <algorithm>

KeptPoll KeepPoll(const JudgedReply& reply) {
    KeptPoll kept;
    kept.timeMs = reply.timeMs;
    kept.outcome = reply.outcome;
    kept.received = reply.received;
    kept.hasReply = reply.buffer && reply.replyGood();
    if (kept.hasReply) std::copy(reply.buffer, reply.buffer + kGoodReplySize, kept.reply);
    return kept;
}

void PreRoll::push(const KeptPoll& poll) {
    if (slots_.empty()) return;
    slots_[next_] = poll;
    next_ = (next_ + 1) % slots_.size();
    if (count_ < slots_.size()) ++count_;
}

const KeptPoll& PreRoll::at(std::size_t age) const {
    return slots_[(next_ + slots_.size() - count_ + age) % slots_.size()];
}

std::vector<KeptPoll> PreRoll::newest(int64_t spanMs) const {
    std::vector<KeptPoll> out;
    if (count_ == 0) return out;
    const int64_t newestMs = at(count_ - 1).timeMs;
    std::size_t first = 0;
    while (first < count_ && newestMs - at(first).timeMs > spanMs)
        ++first;
    out.reserve(count_ - first);
    for (std::size_t age = first; age < count_; ++age)
        out.push_back(at(age));
    return out;
}
