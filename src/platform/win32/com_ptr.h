// Owners of COM objects, and COM for the thread when it is first needed.
#pragma once

#include "platform/win32/windows_api.h"

#include <objbase.h>

namespace bw::win32 {

template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = other.p_;
            other.p_ = nullptr;
        }
        return *this;
    }

    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the calls that hand out an object: the old one is released first.
    void** PutVoid() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }
    Interface** Put() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

  private:
    Interface* p_ = nullptr;
};

// COM for the user-interface thread, as the shell, the file dialog and the audio services
// want it: set up at the first call that needs it, not at start, which it would slow down
// with libraries a run may never use, and kept for the rest of the run.
inline void EnsureCom() {
    static const bool initialised =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    (void)initialised;
}

}  // namespace bw::win32
