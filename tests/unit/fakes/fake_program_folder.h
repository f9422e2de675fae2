// A program folder with files held in memory; a file that is not there cannot be read. And
// a keyboard's key table loaded through it, the way the program loads KeyMap.ini.
#pragma once

#include <map>
#include <string>

#include "emulation/keyboard.h"
#include "fakes/recording_log.h"
#include "platform/code_page.h"
#include "platform/failure.h"
#include "platform/program_folder.h"

namespace bw::test {

class FakeProgramFolder : public ProgramFolder {
  public:
    std::string path = "C:\\Program Files\\Buttonwise";
    std::map<std::string, std::string> files;  // by full path

    std::string Path() override { return path; }
    std::string ReadFile(const std::string& file) override {
        const auto it = files.find(file);
        if (it == files.end()) throw Failure(2, "The system cannot find the file specified.");
        return it->second;
    }
};

// Windows-1252 as far as the tests need it: bytes from 0xA0 on are the Latin-1 letters.
class Latin1CodePage : public CodePage {
  public:
    std::string AnsiToUtf8(std::string_view bytes) override {
        std::string text;
        for (char byte : bytes) {
            const auto c = static_cast<unsigned char>(byte);
            if (c < 0x80) {
                text += byte;
            } else {
                text += static_cast<char>(0xC0 | (c >> 6));
                text += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return text;
    }
};

// Loads the key table from KeyMap.ini's text ("65,A" lines).
inline void LoadKeyTable(Keyboard& keyboard, const std::string& keyMap) {
    FakeProgramFolder folder;
    folder.files[FileInFolder(folder.path, kKeyMapFile)] = keyMap;
    Latin1CodePage ansi;
    RecordingLog log;
    keyboard.LoadKeyMap(folder, ansi, log);
}

}  // namespace bw::test
