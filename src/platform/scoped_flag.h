// A flag raised for as long as a scope lasts, and lowered however the scope ends: also by an
// exception out of a modal loop that ran nested handlers meanwhile.
#pragma once

namespace bw {

class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

}  // namespace bw
