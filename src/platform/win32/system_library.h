// A library of Windows loaded only from the system folder and only when a feature first
// needs it: a file of the same name beside the program (an unpacked ZIP in Downloads) is
// never loaded instead, and a start does not pay for what it may never use.
#pragma once

#include "platform/win32/windows_api.h"

namespace bw::win32 {

class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* name)
        : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
    ~SystemLibrary() {
        if (module_) FreeLibrary(module_);
    }
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The function of that name and type, or nullptr when the library or the function is
    // not there.
    template <typename Function>
    Function* Find(const char* name) const {
        return module_ ? reinterpret_cast<Function*>(
                             reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

  private:
    HMODULE module_;
};

}  // namespace bw::win32
