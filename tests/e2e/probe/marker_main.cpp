// A program for Run bindings to start: each start appends its working folder to the file
// buttonwise-marker.txt in the temporary folder, so tests see how often, and where, it ran.
#include <cstdio>
#include <string>

#include "platform/win32/windows_api.h"

int wmain() {
    wchar_t temp[MAX_PATH], folder[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, temp) || !GetCurrentDirectoryW(MAX_PATH, folder)) return 1;
    std::wstring path = std::wstring(temp) + L"buttonwise-marker.txt";
    FILE* out = _wfopen(path.c_str(), L"a, ccs=UTF-8");
    if (!out) return 1;
    std::fwprintf(out, L"%ls\n", folder);
    std::fclose(out);
    return 0;
}
