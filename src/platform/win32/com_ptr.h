// Owners of COM objects, and COM for the thread when it is first needed.
#pragma once

#include "platform/win32/windows_api.h"

#include <objbase.h>
#include <oaidl.h>

#include <string>

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
// want it: its libraries loaded and set up at the first call that needs it, not at start,
// which they would slow down and make larger for a run that may never use them, and kept
// for the rest of the run.
void EnsureCom();
// CoCreateInstance, through COM set up so.
HRESULT CreateComObject(REFCLSID type, DWORD context, REFIID iid, void** object);
// A BSTR of the text, and freeing one: from oleaut32.dll, also loaded at the first use.
BSTR AllocateBstr(const std::wstring& text);
void FreeBstr(BSTR text);

}  // namespace bw::win32
