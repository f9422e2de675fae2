// The programs that have visible windows now, for the Add Action dialog's program list.
#pragma once

#include <string>
#include <vector>

namespace bw::ui {

// File names, each once (without letter case), this program left out.
std::vector<std::string> ProgramsWithVisibleWindows();

}  // namespace bw::ui
