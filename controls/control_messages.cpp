#include "controls/control_messages.h"
#include "framework/wnd.h"

void SendControlInfo(const CWnd& control, const std::wstring& info) {
    ::SendMessageW(control.GetParentHwnd(), UWM_CONTROL_INFO, reinterpret_cast<WPARAM>(&info),
                   reinterpret_cast<LPARAM>(control.m_hWnd));
}
