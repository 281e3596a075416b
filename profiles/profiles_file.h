// A profiles file on disk: read whole, with a size limit checked before anything is parsed,
// and written through a temporary file beside it, so that a failed save never leaves half a
// file in place of a good one.
#pragma once

#include <windows.h>

#include <string>

// Anything larger is not a profiles file (they are a few hundred bytes).
inline constexpr DWORD kMostProfilesFileBytes = 1024 * 1024;

struct FileResult {
    bool ok = false;
    std::string error; // UTF-8: what went wrong, with the system's reason
};

// The file's bytes into `text`; a file above kMostProfilesFileBytes is refused unread.
FileResult readProfilesFile(const std::wstring& path, std::string& text);

// Writes `text` to `path`, replacing a file of that name.
FileResult writeProfilesFile(const std::wstring& path, const std::string& text);

// UTF-8 and back, for file names and texts that travel between boxes, consoles and JSON.
std::string utf8Of(const std::wstring& text);
std::wstring wideOf(const std::string& text);
