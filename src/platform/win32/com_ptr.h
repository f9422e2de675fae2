// Owners of COM objects and of the thread's COM apartment.
#pragma once

#include "platform/win32/win32_config.h"

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
    Interface* Get() const { return p_; }
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

// COM for the user-interface thread, as the shell and the audio services want it.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

}  // namespace bw::win32
