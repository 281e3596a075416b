// Files that the build puts beside the running program (skin libraries, for example).
#pragma once
#include <string>

// The path of `file` in the folder of the running program.
std::wstring besideProgram(const std::wstring& file);
