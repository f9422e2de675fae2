// The folder the program runs from and the files that come with it there.
#pragma once

#include <string>

namespace bw {

class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;
    // The folder that holds the executable, as the platform names it (it may end in "\").
    virtual std::string Path() = 0;
    // The whole file as bytes. Throws Failure when it is missing or cannot be read.
    virtual std::string ReadFile(const std::string& path) = 0;
};

// The folder and a file name with exactly one "\" between them.
std::string FileInFolder(std::string folder, const std::string& name);

// A full path as the Windows file functions take it beyond 260 characters ("\\?\C:\...",
// "\\?\UNC\server\share\..."), and such a path back as the shell takes it. A relative path, or
// one that has the prefix, is given back as it is.
std::string ExtendedLengthPath(const std::string& path);
std::string WithoutExtendedLengthPrefix(const std::string& path);

}  // namespace bw
