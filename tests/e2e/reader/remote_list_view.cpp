// LVM_GETITEMW into memory of the list's own process, read back with ReadProcessMemory.
#include "remote_list_view.h"

#include <cstddef>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::reader {

namespace {

constexpr int kTextCapacity = 1024;

// A block of memory inside another process, freed with it.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, std::size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (!address_) throw win32::LastErrorFailure();
    }
    ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    std::byte* Address() const { return static_cast<std::byte*>(address_); }
    void Write(std::size_t offset, const void* data, std::size_t size) const {
        if (!WriteProcessMemory(process_, Address() + offset, data, size, nullptr))
            throw win32::LastErrorFailure();
    }
    void Read(std::size_t offset, void* data, std::size_t size) const {
        if (!ReadProcessMemory(process_, Address() + offset, data, size, nullptr))
            throw win32::LastErrorFailure();
    }

  private:
    HANDLE process_;
    void* address_;
};

win32::UniqueKernelHandle OpenOwner(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) throw win32::LastErrorFailure();
    return process;
}

}  // namespace

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer))
        throw Failure(ERROR_TIMEOUT, "the Buttonwise window did not answer within 5 s");
    return static_cast<LRESULT>(answer);
}

std::vector<ListRow> ReadListView(HWND list, int columnCount) {
    if (!list) return {};  // a window still being built has no list yet
    const win32::UniqueKernelHandle process = OpenOwner(list);

    const std::size_t textOffset = sizeof(LVITEMW);
    RemoteMemory memory(process.get(), textOffset + kTextCapacity * sizeof(wchar_t));
    auto* remoteText = reinterpret_cast<wchar_t*>(memory.Address() + textOffset);

    std::vector<ListRow> rows;
    const int count = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        ListRow row;
        for (int column = 0; column < columnCount; ++column) {
            LVITEMW item{};
            item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE | LVIF_STATE : 0u);
            item.stateMask = LVIS_SELECTED;
            item.iItem = i;
            item.iSubItem = column;
            item.pszText = remoteText;
            item.cchTextMax = kTextCapacity;
            memory.Write(0, &item, sizeof item);
            Ask(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.Address()));
            memory.Read(0, &item, sizeof item);
            wchar_t text[kTextCapacity] = {};
            memory.Read(textOffset, text, sizeof text);
            text[kTextCapacity - 1] = L'\0';
            row.columns.push_back(win32::Narrow(text));
            if (column == 0) {
                row.image = item.iImage;
                row.selected = (item.state & LVIS_SELECTED) != 0;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace bw::reader
