#pragma once

#include <string>
#include <string_view>

namespace trackmint {

// Path texts as the program handles them. On Linux "/" is the only separator; the Windows rule
// (backslash or drive colon) sits behind kWindowsPaths so that a Windows build stays possible.
#ifdef _WIN32
inline constexpr bool kWindowsPaths = true;
#else
inline constexpr bool kWindowsPaths = false;
#endif

bool IsPathSeparator(char c);

// Up to and including the last separator; empty when there is none.
std::string DirectoryPart(std::string_view path);
// The rest after the directory part.
std::string FileNamePart(std::string_view path);
// The file name's text from its last dot, the dot included; empty when there is none.
std::string ExtensionPart(std::string_view path);
// Replaces the extension, or appends the new one when there is none.
std::string ChangeExtension(std::string_view path, std::string_view extension);
// True for a path that names its file without any directory to join it to.
bool IsAbsolutePath(std::string_view path);
// Joins a relative name to a directory (that ends in its separator); an absolute name stands.
std::string JoinToDirectory(std::string_view directory, std::string_view name);

// The process's current working directory with its trailing separator, where relative names
// given on the command line or typed into the window are taken from. Throws when it cannot be
// found (it was removed, or is out of reach).
std::string CurrentDirectory();
// A name as the user means it: absolute names stand, relative ones are taken from the current
// directory.
std::string FullPath(std::string_view name);

// The running program's full path and its directory (with the trailing separator).
std::string ExecutablePath();
std::string ExecutableDirectory();

}  // namespace trackmint
