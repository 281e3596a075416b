#include "tests/fault/window_checks.h"

#include "tests/app/running_window.h"
#include "tests/support/pixels.h"

namespace {

// The first heading of each page: "Hardware Settings" on Main, "Software Version" on Options.
RECT headingOf(layout::Page page) {
    const layout::Rect r = layout::kLabels[page == layout::Page::Main ? 0 : 11].rect;
    return {r.left, r.top, r.right, r.bottom};
}

void paintShownControls(CPELKOmouseDlg& dialog, HDC dc) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        POINT origin;
        ::SetViewportOrgEx(dc, r.left, r.top, &origin);
        ::SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    }
}

} // namespace

int paintedHeadingPixels(CPELKOmouseDlg& dialog, layout::Page page) {
    dialog.SendMessage(WM_COMMAND,
                       page == layout::Page::Main ? layout::id::kMainTab : layout::id::kOptionsTab);
    RECT client;
    dialog.GetClientRect(&client);
    Canvas canvas(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
    canvas.fill(RGB(1, 2, 3));
    dialog.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()));
    paintShownControls(dialog, canvas.dc());
    const int pixels = canvas.count(headingOf(page), dialog.labelColour);
    dialog.SendMessage(WM_COMMAND, layout::id::kMainTab);
    return pixels;
}

std::wstring watchTick(CPELKOmouseDlg& dialog) {
    MessageBoxAnswerer answerer(L"Error");
    dialog.SendMessage(WM_TIMER, layout::timer::kDeviceWatch);
    std::wstring text = answerer.text(0);
    pumpDialogPending(dialog); // the quit the box posts
    return text == L"(no box)" ? std::wstring() : text;
}
