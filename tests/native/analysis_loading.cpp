// Opening for analysis what is not a good recording: a family without a decoder,
// no polls, no good poll, a damaged or half-written file, a newer format, another
// family's segments, a file that is not a recording at all, a gigabyte of
// garbage (read no further than the limit), a read error; and the loading thread
// reporting progress, finishing and being cancelled.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "analysis_fixture.h"
#include "record/RecordTexts.h"
#include "analysis/AnalysisTexts.h"
#include "analysis/LoadJob.h"

namespace {

using namespace analysis_test;
using analysis::LoadStatus;
using recfile::RecordType;

std::vector<uint8_t> Polls(int family, int good, int failed) {
    RecordingBytes rec(family);
    uint32_t t = 0;
    for (int i = 0; i < good; ++i, t += 120)
        rec.poll(t, BlankReply());
    for (int i = 0; i < failed; ++i, t += 120)
        rec.failedPoll(t);
    return rec.bytes();
}

std::string Sentences(const char* a, const char* b) {
    return std::string(a) + " " + b;
}

TEST(AnalysisLoading, WhatIsNotAGoodRecordingSaysSoPlainly) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        LoadStatus status;
        std::string message;
        std::size_t polls; // when Ready
    };
    std::vector<uint8_t> damaged = Polls(4, 100, 0);
    damaged[damaged.size() / 2] ^= 0xFF; // inside poll 49 or so: the ones before it are there
    std::vector<uint8_t> torn = Polls(4, 100, 0);
    torn.resize(torn.size() - 30); // the last record half-written
    std::vector<uint8_t> damagedEmpty = Polls(4, 0, 5);
    damagedEmpty[damagedEmpty.size() - 3] ^= 0xFF;
    RecordingBytes newer(4);
    {
        std::vector<uint8_t>& b = newer.bytes();
        b.assign(std::begin(recfile::kSignature), std::end(recfile::kSignature));
        recfile::Record h;
        h.type = RecordType::SegmentHeader;
        h.header.formatVersion = recfile::kFormatVersion + 1;
        h.header.family = 4;
        recfile::EncodeRecord(h, b);
    }
    RecordingBytes markersOnly(4);
    markersOnly.marker(10, 1, "метка");
    RecordingBytes twoFamilies(4);
    for (uint32_t t = 0; t < 3000; t += 100)
        twoFamilies.poll(t, BlankReply());
    twoFamilies.segment(3000, 1, "2026-12-09T21:44:51.250+03:00");
    for (uint32_t t = 3000; t < 4000; t += 100)
        twoFamilies.poll(t, BlankReply());

    std::vector<Case> cases;
    cases.push_back(
        {"family 5", Polls(5, 10, 0), LoadStatus::Refused, analysistext::kNoDecoderFamily5, 0});
    cases.push_back(
        {"family 0", Polls(0, 10, 0), LoadStatus::Refused, analysistext::kNoDecoderFamily, 0});
    cases.push_back({"no polls", markersOnly.bytes(), LoadStatus::Refused, rectext::kEmpty, 0});
    cases.push_back(
        {"no good poll", Polls(4, 0, 50), LoadStatus::Refused, analysistext::kNoGoodPoll, 0});
    cases.push_back({"not a recording", std::vector<uint8_t>(5000, 'x'), LoadStatus::Refused,
                     rectext::kNotRecording, 0});
    cases.push_back({"empty file", {}, LoadStatus::Refused, rectext::kNotRecording, 0});
    cases.push_back({"newer format", newer.bytes(), LoadStatus::Refused, rectext::kNewerFormat, 0});
    cases.push_back({"damaged", damaged, LoadStatus::Ready, rectext::kDamaged, 49});
    cases.push_back({"half-written end", torn, LoadStatus::Ready, "", 99});
    cases.push_back({"damaged, no good poll", damagedEmpty, LoadStatus::Refused,
                     Sentences(rectext::kDamaged, analysistext::kNoGoodPoll), 0});
    cases.push_back({"two families", twoFamilies.bytes(), LoadStatus::Ready,
                     analysistext::kOtherFamilyParts, 40});
    for (const Case& c : cases) {
        const analysis::LoadResult r = Load(c.bytes);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
        if (c.status != LoadStatus::Ready) {
            EXPECT_EQ(r.recording, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(r.recording, nullptr) << c.name;
        EXPECT_EQ(r.recording->pollCount(), c.polls) << c.name;
    }
    // The polls of the other family's segment are neither good nor failed.
    const analysis::LoadResult two = Load(twoFamilies.bytes());
    ASSERT_EQ(two.status, LoadStatus::Ready);
    EXPECT_EQ(two.recording->family(), 4);
    EXPECT_EQ(two.recording->goodPollCount(), 30u);
    EXPECT_EQ(two.recording->state(35), analysis::PollState::OtherFamily);
}

// A gigabyte of bytes that are not there until read, counting what is read.
class Garbage : public analysis::ByteSource {
  public:
    Garbage(bool signature, bool failing = false) : signature_(signature), failing_(failing) {}
    int64_t size() override { return kSize; }
    std::size_t read(uint8_t* into, std::size_t n, bool& failed) override {
        if (failing_ && read_ > 100) {
            failed = true;
            return 0;
        }
        n = std::min<std::size_t>(n, kSize - read_);
        for (std::size_t i = 0; i < n; ++i, ++read_)
            into[i] = signature_ && read_ < 8 ? recfile::kSignature[read_]
                                              : static_cast<uint8_t>(random_());
        return n;
    }
    std::size_t bytesRead() const { return read_; }

  private:
    static constexpr std::size_t kSize = std::size_t(1) << 30;
    bool signature_, failing_;
    std::size_t read_ = 0;
    std::minstd_rand random_{3};
};

TEST(AnalysisLoading, AGigabyteOfGarbageIsReadNoFurtherThanTheLimit) {
    analysis::LoadControl control;
    Garbage noSignature(false);
    analysis::LoadResult r = analysis::LoadRecording(noSignature, control);
    EXPECT_EQ(r.message, rectext::kNotRecording);
    EXPECT_EQ(noSignature.bytesRead(), 8u);

    Garbage withSignature(true);
    r = analysis::LoadRecording(withSignature, control);
    EXPECT_EQ(r.status, LoadStatus::Refused);
    EXPECT_EQ(r.message, Sentences(rectext::kDamaged, rectext::kEmpty));
    EXPECT_EQ(withSignature.bytesRead(), analysis::kMaxAnalysedBytes + 1);

    Garbage failing(true, true);
    r = analysis::LoadRecording(failing, control);
    EXPECT_EQ(r.message, analysistext::kCannotRead);
}

// A recording that goes on and on: a header, then the same good poll for ever.
class Endless : public analysis::ByteSource {
  public:
    Endless() {
        RecordingBytes rec(4);
        head_ = rec.bytes();
        RecordingBytes one(4);
        const std::size_t headerEnd = one.bytes().size();
        one.poll(0, BlankReply());
        poll_.assign(one.bytes().begin() + headerEnd, one.bytes().end());
    }
    int64_t size() override { return -1; }
    std::size_t read(uint8_t* into, std::size_t n, bool&) override {
        for (std::size_t i = 0; i < n; ++i, ++read_)
            into[i] =
                read_ < head_.size() ? head_[read_] : poll_[(read_ - head_.size()) % poll_.size()];
        return n;
    }
    std::size_t bytesRead() const { return read_; }

  private:
    std::vector<uint8_t> head_, poll_;
    std::size_t read_ = 0;
};

TEST(AnalysisLoading, ARecordingBeyondTheLimitIsAnalysedUpToItAndSaysSo) {
    analysis::LoadControl control;
    Endless endless;
    const analysis::LoadResult r = analysis::LoadRecording(endless, control);
    ASSERT_EQ(r.status, LoadStatus::Ready);
    EXPECT_EQ(r.message, analysistext::kTooLong);
    EXPECT_EQ(endless.bytesRead(), analysis::kMaxAnalysedBytes + 1);
    EXPECT_GT(r.recording->pollCount(), 400000u);
}

// Bytes handed out slowly, so that the thread can be caught at work.
class Slow : public analysis::MemoryByteSource {
  public:
    using MemoryByteSource::MemoryByteSource;
    std::size_t read(uint8_t* into, std::size_t n, bool& failed) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return MemoryByteSource::read(into, std::min<std::size_t>(n, 4096), failed);
    }
};

TEST(AnalysisLoading, TheLoadingThreadReportsFinishesAndCanBeCancelled) {
    const std::vector<uint8_t> bytes = Polls(4, 3000, 10); // about 60 pieces of 4 KB
    analysis::LoadJob job;
    std::atomic<bool> told{false};
    job.start(std::make_unique<analysis::MemoryByteSource>(bytes), [&] { told = true; });
    analysis::LoadResult done = job.take();
    EXPECT_TRUE(told);
    EXPECT_TRUE(job.finished());
    EXPECT_FLOAT_EQ(job.progress(), 1.0f);
    ASSERT_EQ(done.status, LoadStatus::Ready);
    EXPECT_EQ(done.recording->pollCount(), 3010u);

    job.start(std::make_unique<Slow>(bytes));
    while (job.progress() == 0.0f)
        std::this_thread::yield();
    EXPECT_FALSE(job.finished());
    job.cancel();
    const analysis::LoadResult stopped = job.take();
    EXPECT_EQ(stopped.status, LoadStatus::Cancelled);
    EXPECT_EQ(stopped.message, analysistext::kCancelled);
    EXPECT_EQ(stopped.recording, nullptr);
}

} // namespace
