// Handing an item to the shell, and saying in words why the shell refused.
#include "emulation/launcher.h"

namespace bw {

std::string LaunchFailureReason(long answer) {
    switch (answer) {
        case 0:
        case 8:
            return "there is not enough memory";
        case 2:
            return "the file was not found";
        case 3:
            return "the path was not found";
        case 5:
            return "access is denied";
        case 11:
            return "the program file is not valid";
        case 26:
            return "a sharing violation occurred";
        case 27:
            return "the file association is incomplete or invalid";
        case 28:
        case 29:
        case 30:
            return "the program it is associated with did not answer";
        case 31:
            return "no program is associated with this kind of file";
        case 32:
            return "a library it needs was not found";
        case kDesktopCouldNotStart:
            return "Buttonwise runs as administrator, and the desktop could not start it with "
                   "your normal rights";
        case kPathTooLong:
            return "its path is 260 characters or longer, and has no short form";
        default:
            return "the shell answered " + std::to_string(answer);
    }
}

bool Launcher::Open(const std::string& item) {
    const long answer = shell_.Open(item, folder_.Path());
    if (answer > 32) return true;
    std::string line = "'";
    line += item;
    line += "' could not be opened: ";
    line += LaunchFailureReason(answer);
    log_.Write(LogKind::Error, line);
    return false;
}

}  // namespace bw
