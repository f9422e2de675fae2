// Joining the program folder with the name of a file that comes with it.
#include "platform/program_folder.h"

namespace bw {

std::string FileInFolder(std::string folder, const std::string& name) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    folder += name;
    return folder;
}

}  // namespace bw
