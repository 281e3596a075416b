// The three web pages of the Options page, opened through the shell.
#pragma once

#include <windows.h>

// The shell's ShellExecuteW; tests install a stand-in that records the address.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCWSTR verb, LPCWSTR file,
                                                LPCWSTR parameters, LPCWSTR directory, INT show);
// Null puts the shell's own function back.
void installShellExecute(ShellExecuteFunction function);

// The address behind link 252 (product information), 253 (downloads) or 254 (support); null
// for any other id.
const wchar_t* webPageAddress(int linkId);

// Opens the link's page with the "open" verb; the shell's result is not looked at.
void openWebPage(HWND owner, int linkId);
