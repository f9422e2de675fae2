// ShellExecuteW with no verb and no parameters, in the given folder; run as administrator,
// the same through the desktop's shell, which runs with the user's normal rights: a program
// started from a remote's button must not inherit rights the user never gave it.
#include "platform/win32/win32_shell.h"

#include "platform/win32/com_ptr.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_config.h"
#include "platform/win32/win32_foreground_program.h"

#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shobjidl.h>

namespace bw::win32 {

namespace {

// The shell windows' class and the top-level browser's service, as the SDK defines them.
constexpr GUID kShellWindows{
    0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
constexpr GUID kTopLevelBrowser{
    0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// A text for a call that takes VARIANTs, freed with it.
class VariantText {
  public:
    explicit VariantText(const std::wstring& text) {
        VariantInit(&value_);
        value_.vt = VT_BSTR;
        value_.bstrVal = SysAllocString(text.c_str());
    }
    ~VariantText() { VariantClear(&value_); }
    VariantText(const VariantText&) = delete;
    VariantText& operator=(const VariantText&) = delete;
    const VARIANT& get() const { return value_; }

  private:
    VARIANT value_;
};

// The documented path from the desktop window to its shell's automation object: the shell
// windows' desktop entry, its top-level browser, the active view's background object, and
// the application behind it. Each step may fail where another shell replaces Explorer.
bool OpenThroughTheDesktop(const std::wstring& item, const std::wstring& directory) {
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(kShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                __uuidof(IShellWindows), windows.PutVoid())))
        return false;
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    ComPtr<IDispatch> desktop;
    if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              desktop.Put()) != S_OK)
        return false;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background, application;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(__uuidof(IServiceProvider), services.PutVoid())) ||
        FAILED(
            services->QueryService(kTopLevelBrowser, __uuidof(IShellBrowser), browser.PutVoid())) ||
        FAILED(browser->QueryActiveShellView(view.Put())) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch), background.PutVoid())) ||
        FAILED(background->QueryInterface(__uuidof(IShellFolderViewDual), folderView.PutVoid())) ||
        FAILED(folderView->get_Application(application.Put())) ||
        FAILED(application->QueryInterface(__uuidof(IShellDispatch2), shell.PutVoid())))
        return false;
    BSTR file = SysAllocString(item.c_str());
    const VariantText folder(directory);
    VARIANT show;
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT result = shell->ShellExecute(file, none, folder.get(), none, show);
    SysFreeString(file);
    return SUCCEEDED(result);
}

// The shell's functions take paths of up to MAX_PATH characters, long-path aware program or
// not: a deeper file or folder goes by its short name, where the volume keeps short names.
std::wstring ShellPath(const std::string& path) {
    std::wstring wide = Widen(path);
    if (wide.size() < MAX_PATH) return wide;
    std::wstring shorter(wide.size() + 1, L'\0');
    const DWORD length =
        GetShortPathNameW(wide.c_str(), shorter.data(), static_cast<DWORD>(shorter.size()));
    if (length == 0 || length >= shorter.size()) return wide;
    shorter.resize(length);
    return shorter;
}

}  // namespace

long Win32Shell::Open(const std::string& item, const std::string& directory) {
    const std::wstring file = ShellPath(item), folder = ShellPath(directory);
    if (RunsAboveTheDesktop()) return OpenThroughTheDesktop(file, folder) ? 33 : kNotAtNormalRights;
    // The started program may take the foreground while this one may: Buttonwise acts on a
    // press it received by socket, not as the user's input, and Windows hands the right on
    // only when the giver holds it. Without it, the program flashes in the taskbar.
    AllowSetForegroundWindow(ASFW_ANY);
    // No verb: the item's default action, as double-clicking it would do.
    const HINSTANCE answer =
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
    return static_cast<long>(reinterpret_cast<INT_PTR>(answer));
}

}  // namespace bw::win32
