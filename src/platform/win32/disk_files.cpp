// Reading a file whole, and replacing one through a file written beside it.
#include "platform/win32/disk_files.h"

#include "platform/program_folder.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

namespace {

std::wstring LongPath(const std::string& path) {
    return Widen(ExtendedLengthPath(path));
}

}  // namespace

std::optional<std::string> DiskFiles::Read(const std::string& path, std::size_t mostBytes) {
    HANDLE opened = CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw LastErrorFailure();
    UniqueKernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw LastErrorFailure();
    if (static_cast<unsigned long long>(size.QuadPart) > mostBytes) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    // The size was read before: a file that grows meanwhile is still held to the limit.
    while (bytes.size() <= mostBytes) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) throw LastErrorFailure();
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
    return std::nullopt;
}

void DiskFiles::Write(const std::string& path, const std::string& bytes) {
    // Beside the file, so that the move that replaces it stays on its volume and is whole.
    const std::wstring target = LongPath(path), beside = target + L".buttonwise-new";
    {
        HANDLE created = CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) throw LastErrorFailure();
        UniqueKernelHandle file(created);
        DWORD written = 0;
        const bool whole = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size() && FlushFileBuffers(file.get());
        if (!whole) {
            const Failure failure = LastErrorFailure();
            file.reset();
            DeleteFileW(beside.c_str());
            throw failure;
        }
    }
    if (!MoveFileExW(beside.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const Failure failure = LastErrorFailure();
        DeleteFileW(beside.c_str());
        throw failure;
    }
}

}  // namespace bw::win32
