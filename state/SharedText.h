#pragma once
// A text written by one thread and read by another: always read whole.
#include <mutex>
#include <string>

class SharedText {
  public:
    explicit SharedText(std::string initial = {}) : text_(std::move(initial)) {}
    void set(const std::string& text) {
        std::lock_guard<std::mutex> guard(lock_);
        text_ = text;
    }
    std::string get() const {
        std::lock_guard<std::mutex> guard(lock_);
        return text_;
    }

  private:
    mutable std::mutex lock_;
    std::string text_;
};
