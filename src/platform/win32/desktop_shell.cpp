// ShellExecuteW with no verb and no parameters, in the given folder; run as administrator,
// the same through the desktop's shell, which runs with the user's normal rights: a program
// started from a remote's button must not inherit rights the user never gave it.
#include "platform/win32/desktop_shell.h"

#include <optional>

#include "platform/program_folder.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"
#include "platform/win32/foreground_process.h"

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace bw::win32 {

namespace {

// What the shell answers for an item it opened: anything above 32.
constexpr long kStarted = 33;

// The shell windows' class and the top-level browser's service, as the SDK defines them.
constexpr GUID kShellWindows{
    0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
constexpr GUID kTopLevelBrowser{
    0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// A text for a call that takes VARIANTs, freed with it.
class VariantText {
  public:
    explicit VariantText(const std::wstring& text) {
        value_.vt = VT_BSTR;
        value_.bstrVal = AllocateBstr(text);
    }
    ~VariantText() { FreeBstr(value_.bstrVal); }
    VariantText(const VariantText&) = delete;
    VariantText& operator=(const VariantText&) = delete;
    const VARIANT& get() const { return value_; }

  private:
    VARIANT value_{};
};

// The documented path from the desktop window to its shell's automation object: the shell
// windows' desktop entry, its top-level browser, the active view's background object, and
// the application behind it. Each step may fail where another shell replaces Explorer.
bool OpenThroughTheDesktop(const std::wstring& item, const std::wstring& directory) {
    // A desktop that does not answer would hold this program up with it.
    if (IsHungAppWindow(GetShellWindow())) return false;
    ComPtr<IShellWindows> windows;
    if (FAILED(CreateComObject(kShellWindows, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows),
                               windows.PutVoid())))
        return false;
    VARIANT desktopFolder{}, none{};  // VT_EMPTY
    desktopFolder.vt = VT_I4;
    desktopFolder.lVal = CSIDL_DESKTOP;
    long window = 0;
    ComPtr<IDispatch> desktop;
    if (windows->FindWindowSW(&desktopFolder, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
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
    const VariantText file(item), folder(directory);
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    // The desktop says nothing of the item itself: a file it cannot open is its to report.
    return SUCCEEDED(shell->ShellExecute(file.get().bstrVal, none, folder.get(), none, show));
}

// The shell's functions take paths of up to MAX_PATH characters, long-path aware program or
// not: a deeper file or folder goes by its short name. Nothing for one that exists and has
// no short name that fits (the volume keeps none); anything else (an Internet address, a
// command with arguments) goes as it is.
std::optional<std::wstring> ShellPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    const std::wstring extended = Widen(ExtendedLengthPath(path));
    if (wide.size() < MAX_PATH || GetFileAttributesW(extended.c_str()) == INVALID_FILE_ATTRIBUTES)
        return wide;
    std::wstring shorter(extended.size() + 1, L'\0');
    const DWORD length =
        GetShortPathNameW(extended.c_str(), shorter.data(), static_cast<DWORD>(shorter.size()));
    if (length == 0 || length >= shorter.size()) return std::nullopt;
    shorter = Widen(WithoutExtendedLengthPrefix(Narrow(shorter.substr(0, length))));
    if (shorter.size() >= MAX_PATH) return std::nullopt;
    return shorter;
}

}  // namespace

long DesktopShell::Open(const std::string& item, const std::string& directory) {
    // An item that is no path (an Internet address, "notepad.exe a.txt") is never shortened.
    const std::optional<std::wstring> file = ShellPath(item), folder = ShellPath(directory);
    if (!file || !folder) return kPathTooLong;
    EnsureCom();  // the shell may hand the item to an extension, which needs COM
    // The started program may take the foreground only when this one may and hands the
    // right on: Buttonwise acts on a press it got by socket, which Windows does not count as
    // the user's input, so often it may not, and the program flashes in the taskbar instead.
    if (const std::optional<DWORD> shell = ShellProcessToStartAs()) {
        AllowSetForegroundWindow(*shell);
        return OpenThroughTheDesktop(*file, *folder) ? kStarted : kDesktopCouldNotStart;
    }
    // No verb: the item's default action, as double-clicking it would do.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file->c_str();
    info.lpDirectory = folder->c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool started = ShellExecuteExW(&info);
    if (info.hProcess) {
        const UniqueKernelHandle process(info.hProcess);
        AllowSetForegroundWindow(GetProcessId(process.get()));
    }
    return started ? kStarted : static_cast<long>(reinterpret_cast<INT_PTR>(info.hInstApp));
}

}  // namespace bw::win32
