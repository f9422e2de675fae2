// COM and its automation strings, from their libraries in the system folder, loaded when
// first needed.
#include "platform/win32/com_ptr.h"
#include "platform/win32/system_library.h"

namespace bw::win32 {

namespace {

const SystemLibrary& Ole32() {
    static const SystemLibrary ole32(L"ole32.dll");
    return ole32;
}

const SystemLibrary& OleAut32() {
    static const SystemLibrary oleaut32(L"oleaut32.dll");
    return oleaut32;
}

}  // namespace

void EnsureCom() {
    static const bool initialised = [] {
        const auto initialise = Ole32().Find<decltype(CoInitializeEx)>("CoInitializeEx");
        return initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED |
                                                               COINIT_DISABLE_OLE1DDE));
    }();
    (void)initialised;
}

HRESULT CreateComObject(REFCLSID type, DWORD context, REFIID iid, void** object) {
    EnsureCom();
    static const auto create = Ole32().Find<decltype(CoCreateInstance)>("CoCreateInstance");
    return create ? create(type, nullptr, context, iid, object) : E_NOTIMPL;
}

BSTR AllocateBstr(const std::wstring& text) {
    static const auto allocate = OleAut32().Find<decltype(SysAllocString)>("SysAllocString");
    return allocate ? allocate(text.c_str()) : nullptr;
}

void FreeBstr(BSTR text) {
    static const auto free = OleAut32().Find<decltype(SysFreeString)>("SysFreeString");
    if (free && text) free(text);
}

}  // namespace bw::win32
