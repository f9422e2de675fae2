// Reads the rows of a list view that belongs to another process. The texts are fetched
// into memory allocated inside that process, since a list view writes only there.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace bw::reader {

struct ListRow {
    std::vector<std::string> columns;  // the item's text, then its sub-items'
    int image = -1;                    // the small-icon index
    bool selected = false;
};

// Sends a message to another program's window and returns its answer; throws bw::Failure
// when the window does not answer within five seconds, so that no reading hangs.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Throws bw::Failure when the other process cannot be opened or read.
std::vector<ListRow> ReadListView(HWND list, int columnCount);

}  // namespace bw::reader
