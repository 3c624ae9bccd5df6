#pragma once
// One good reply as numbers, one per channel of the family: the program's own
// decoder (DecodeReply) runs on it and its texts are read back, so the numbers
// are the ones the readout and the CSV show ("36.9", not 36.87; yes/no as 1/0,
// bit groups as their byte, run time in seconds, PROM id as a number).
//
// Each channel's text depends only on the one or two reply bytes its decoding
// table row names, so the numbers already read for those bytes are kept and the
// decoder runs only for a reply that brings a combination not seen before.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "record/ChannelValues.h"

namespace decode {
struct FamilyLayout;
}

namespace analysis {

class PollDecoder {
  public:
    explicit PollDecoder(int family); // a family without a decoder has no channels
    ~PollDecoder();
    PollDecoder(const PollDecoder&) = delete;
    PollDecoder& operator=(const PollDecoder&) = delete;

    int channelCount() const;
    // reply: the 68 bytes of a good reply; out: channelCount() values (NaN for a
    // text that is not a number).
    void decode(const uint8_t* reply, float* out);
    // The same through the decoder every time, nothing kept.
    void decodeDirectly(const uint8_t* reply, float* out);
    // How often decode() had to run the decoder.
    std::size_t decoderRuns() const { return decoderRuns_; }

  private:
    struct Memo {
        bool twoBytes = false;
        std::vector<float> values;  // by key: byte, or byte * 256 + second byte
        std::vector<uint8_t> known; // 1 where values holds the decoder's number
    };
    std::size_t keyOf(int k, const uint8_t* reply) const;

    int family_;
    const decode::FamilyLayout* layout_;
    ChannelValues texts_; // the program's own decoder, read back as the CSV writes it
    std::vector<Memo> memo_;
    std::size_t decoderRuns_ = 0;
};

} // namespace analysis
