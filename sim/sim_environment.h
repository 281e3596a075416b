// The demo's environment variables (PELKO_SIM_MEMORY, PELKO_SIM_WIRELOG).
#pragma once

#include <string>

// The variable's value; empty when it is unset or empty.
std::wstring simEnvironmentVariable(const wchar_t* name);
