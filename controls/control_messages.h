// Notifications that the skinned controls send to their parent window.
#pragma once
#include <windows.h>
#include <string>

class CWnd;

// wParam: address of the sending control's info string (std::wstring), lParam: its window.
constexpr UINT UWM_CONTROL_INFO = WM_USER + 201;
// wParam: the new selected index, lParam: the combo box's control id.
constexpr UINT UWM_COMBO_SELCHANGE = WM_USER + 202;

// Sends UWM_CONTROL_INFO with control's info string to control's parent window.
void SendControlInfo(const CWnd& control, const std::wstring& info);
