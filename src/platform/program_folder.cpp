// Joining the program folder with the name of a file that comes with it, and the form of a
// path that the file functions take at any length.
#include "platform/program_folder.h"

#include <algorithm>
#include <string_view>

namespace bw {

std::string FileInFolder(std::string folder, const std::string& name) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    folder += name;
    return folder;
}

namespace {
constexpr std::string_view kLocal = "\\\\?\\", kNetwork = "\\\\?\\UNC\\";
}  // namespace

std::string ExtendedLengthPath(const std::string& path) {
    // Prefixed, a path is taken as it is: its slashes must be backslashes.
    std::string backslashed = path;
    std::ranges::replace(backslashed, '/', '\\');
    if (backslashed.starts_with(kLocal) || backslashed.starts_with("\\\\.\\")) return path;
    if (backslashed.starts_with("\\\\")) return std::string(kNetwork) + backslashed.substr(2);
    const bool drive = path.size() >= 3 && path[1] == ':' && backslashed[2] == '\\';
    return drive ? std::string(kLocal) + backslashed : path;
}

std::string WithoutExtendedLengthPrefix(const std::string& path) {
    if (path.starts_with(kNetwork)) return "\\\\" + path.substr(kNetwork.size());
    if (path.starts_with(kLocal)) return path.substr(kLocal.size());
    return path;
}

}  // namespace bw
