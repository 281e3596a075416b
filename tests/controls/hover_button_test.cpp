// The hover button in a real window: images and caption colours per state, toggling by
// clicks, hover tracking with the real pointer, caption margins, the plain-button fall-back.
#include "controls/hover_button.h"
#include "controls/skin_image.h"
#include "framework/dialog.h"
#include "tests/controls/pixels.h"
#include "tests/support/beside_program.h"
#include "tests/support/real_mouse.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>

using namespace test_images;

namespace {

constexpr COLORREF kNormalText = RGB(255, 255, 255);
constexpr COLORREF kDownText = RGB(255, 255, 0);
constexpr COLORREF kHoverText = RGB(0, 255, 255);
constexpr COLORREF kDisabledText = RGB(255, 0, 0);
constexpr int kId = 1030;
constexpr RECT kImageArea = {0, 0, 60, 24};
constexpr RECT kBelowCaption = {2, 20, 58, 24}; // image pixels the caption never covers

struct ButtonFixture {
    RecordingParent parent{RecordingParent::Shown::Later};
    CHoverButtonV2 button;

    explicit ButtonFixture(int normal = kButtonA, int down = kButtonB, int hover = kButtonB,
                           int disabled = -1) {
        EXPECT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{20, 30, 80, 54},
                                  &parent, kId));
        button.SetBitmaps(normal, down, hover, disabled, -1, -1, -1, GetModuleHandleW(nullptr));
        button.SetToggle(TRUE);
        button.SetTextStyle(14, L"Arial", kNormalText, kDownText, kHoverText, kDisabledText, TRUE,
                            FALSE, FALSE, FALSE);
        button.SetCaption(L"IMIM");
        parent.show();
    }

    void repaint() {
        button.Invalidate();
        button.UpdateWindow();
        pumpPending();
    }

    // The button's pixels after a repaint.
    std::unique_ptr<Canvas> shot() {
        repaint();
        auto canvas = std::make_unique<Canvas>(60, 24);
        canvas->capture(button.m_hWnd);
        return canvas;
    }

    void click(int x, int y, int releaseX, int releaseY) {
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(releaseX, releaseY));
    }
};

// The image colour below the caption and whether the caption shows in the colour.
void expectLook(ButtonFixture& f, Rgb image, COLORREF caption, const char* state) {
    auto shot = f.shot();
    EXPECT_TRUE(shot->all(kBelowCaption, colourOf(image))) << state;
    EXPECT_GT(shot->count(kImageArea, caption), 10) << state;
    for (COLORREF other : {kNormalText, kDownText, kHoverText, kDisabledText}) {
        if (other != caption) {
            EXPECT_EQ(shot->count(kImageArea, other), 0) << state;
        }
    }
}

} // namespace

TEST(HoverButton, TakesItsImageSizeAndShowsTheParentThroughMagenta) {
    ButtonFixture f;
    RECT window;
    f.button.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 60);
    EXPECT_EQ(window.bottom - window.top, 24);
    auto shot = f.shot();
    EXPECT_TRUE(shot->all({0, 0, 2, 2}, f.parent.colour)) << std::hex << shot->at(0, 0);
    EXPECT_EQ(shot->at(2, 0), colourOf(kButtonNormal));
}

TEST(HoverButton, DefaultDisabledImagesAndTheColourOfEachState) {
    ButtonFixture f; // SetBitmaps(a, b, b, −1, −1, −1, −1, m)
    expectLook(f, kButtonNormal, kNormalText, "normal");

    f.button.SendMessage(WM_MOUSEHOVER, 0, 0);
    expectLook(f, kButtonDown, kHoverText, "hover shows b");
    f.button.SendMessage(WM_MOUSELEAVE, 0, 0);

    f.button.SetCheck(1);
    expectLook(f, kButtonDown, kDownText, "checked");
    f.button.SendMessage(WM_MOUSEHOVER, 0, 0);
    expectLook(f, kButtonDown, kDownText, "checked and hovered");

    f.button.EnableWindow(FALSE);
    expectLook(f, kButtonNormal, kDisabledText, "disabled checked: a");
    f.button.SetCheck(0);
    expectLook(f, kButtonNormal, kDisabledText, "disabled: a");
}

TEST(HoverButton, DisabledCheckedUsesItsOwnImageAndIgnoresHover) {
    ButtonFixture f(kButtonA, kButtonB, kButtonC, kButtonD);
    f.button.SendMessage(WM_MOUSEHOVER, 0, 0);
    expectLook(f, kButtonHover, kHoverText, "hover");
    f.button.SetCheck(1);
    f.button.EnableWindow(FALSE);
    expectLook(f, kButtonDisabled, kDisabledText, "disabled checked");
    f.button.SendMessage(WM_MOUSELEAVE, 0, 0);
    f.button.EnableWindow(TRUE);
    f.button.SetCheck(0);
    expectLook(f, kButtonNormal, kNormalText, "normal again");
}

TEST(HoverButton, ClicksToggleBeforeTheParentHearsOfThem) {
    ButtonFixture f;
    std::vector<int> statesSeen;
    f.parent.onCommand = [&](WPARAM wParam, LPARAM) {
        if (wParam == MAKEWPARAM(kId, BN_CLICKED)) statesSeen.push_back(f.button.GetCheck());
    };
    f.click(10, 10, 10, 10);
    EXPECT_EQ(f.button.GetCheck(), 1);
    expectLook(f, kButtonDown, kDownText, "checked by a click");
    f.click(10, 10, 50, 20);
    EXPECT_EQ(f.button.GetCheck(), 0);
    EXPECT_EQ(statesSeen, (std::vector<int>{1, 0}));
    auto clicks = f.parent.only(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].lParam, reinterpret_cast<LPARAM>(f.button.m_hWnd));

    // A release outside the button neither flips nor notifies; nor does a release that
    // follows no press on the button (a drag that began elsewhere).
    f.click(10, 10, 61, 10);
    f.button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(f.button.GetCheck(), 0);
    EXPECT_EQ(f.parent.only(WM_COMMAND).size(), 2u);

    // Without toggle mode a click notifies and leaves the state alone.
    f.button.SetToggle(FALSE);
    f.click(10, 10, 10, 10);
    EXPECT_EQ(f.button.GetCheck(), 0);
    EXPECT_EQ(f.parent.only(WM_COMMAND).size(), 3u);
    // The button never takes the keyboard focus look.
    EXPECT_EQ(f.button.SendMessage(WM_SETFOCUS, 0, 0), 0);
}

TEST(HoverButton, TheRealPointerBringsAndRemovesTheHoverImage) {
    ButtonFixture f(kButtonA, kButtonB, kButtonC);
    RECT window;
    f.button.GetWindowRect(&window);
    SetCursorPos(window.left + 30, window.top + 12);
    EXPECT_TRUE(pumpUntil([&] { return f.shot()->at(30, 22) == colourOf(kButtonHover); }));
    SetCursorPos(window.right + 100, window.bottom + 100);
    EXPECT_TRUE(pumpUntil([&] { return f.shot()->at(30, 22) == colourOf(kButtonNormal); }));
    // Tracking is armed again by the next move.
    SetCursorPos(window.left + 20, window.top + 12);
    EXPECT_TRUE(pumpUntil([&] { return f.shot()->at(30, 22) == colourOf(kButtonHover); }));
    SetCursorPos(window.right + 100, window.bottom + 100);
    EXPECT_TRUE(pumpUntil([&] { return f.shot()->at(30, 22) == colourOf(kButtonNormal); }));
}

TEST(HoverButton, RealClicksToggleAndTheStateAlwaysMatchesTheNotifications) {
    ButtonFixture f;
    HWND hwnd = f.button.m_hWnd;
    auto clicks = [&] { return f.parent.only(WM_COMMAND).size(); };
    auto click = [&](int x, int y) {
        realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, x, y));
        realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, x, y));
    };
    click(20, 12);
    EXPECT_EQ(f.button.GetCheck(), 1);
    EXPECT_EQ(clicks(), 1u);

    // Pressed on the button, dragged off it and released there.
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 40, 12));
    realMouse(0, onScreen(hwnd, 120, 12));
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 120, 12));
    EXPECT_EQ(f.button.GetCheck(), 1);
    EXPECT_EQ(clicks(), 1u);

    // Pressed elsewhere and released over the button.
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 150, 60));
    realMouse(0, onScreen(hwnd, 10, 5));
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 10, 5));
    EXPECT_EQ(f.button.GetCheck(), 1);
    EXPECT_EQ(clicks(), 1u);

    click(50, 20);
    EXPECT_EQ(f.button.GetCheck(), 0);
    EXPECT_EQ(clicks(), 2u);

    // A quick second click on the same spot is a double click: the system button reports
    // BN_DOUBLECLICKED instead of BN_CLICKED, and the state stays as the parent last heard.
    click(30, 10);
    click(30, 10);
    auto commands = f.parent.only(WM_COMMAND);
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(HIWORD(commands[2].wParam), BN_CLICKED);
    EXPECT_EQ(HIWORD(commands[3].wParam), BN_DOUBLECLICKED);
    EXPECT_EQ(f.button.GetCheck(), 1);
    realMouse(0, onScreen(hwnd, 500, 400));
}

namespace {

// Left, right, top and bottom of the caption's pixels.
RECT captionExtent(const Canvas& shot, COLORREF colour) {
    RECT extent = {1000, 1000, -1, -1};
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.at(x, y) == colour) {
                extent.left = std::min<LONG>(extent.left, x);
                extent.right = std::max<LONG>(extent.right, x + 1);
                extent.top = std::min<LONG>(extent.top, y);
                extent.bottom = std::max<LONG>(extent.bottom, y + 1);
            }
    return extent;
}

} // namespace

TEST(HoverButton, MarginsAreAbsoluteEdgesOfTheCaption) {
    ButtonFixture f;
    f.button.SetCaption(L"II");
    RECT centred = captionExtent(*f.shot(), kNormalText);
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 30.0, 1.5);
    EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 12.0, 2.5);

    f.button.SetTextMargins(11, 0, 0, 0);
    RECT shifted = captionExtent(*f.shot(), kNormalText);
    EXPECT_NEAR((shifted.left + shifted.right) / 2.0, (11 + 60) / 2.0, 1.5);
    EXPECT_EQ(shifted.top, centred.top);

    // The caption is centred in the image, whatever size the creation rectangle had.
    CHoverButtonV2 other;
    ASSERT_TRUE(other.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{20, 80, 184, 83},
                             &f.parent, 7));
    other.SetBitmaps(kButtonA, kButtonB, kButtonB, -1, -1, -1, -1, GetModuleHandleW(nullptr));
    other.SetTextStyle(14, L"Arial", kNormalText, 0, 0, 0, TRUE, FALSE, FALSE, FALSE);
    other.SetCaption(L"II");
    other.Invalidate();
    other.UpdateWindow();
    Canvas otherShot(60, 24);
    otherShot.capture(other.m_hWnd);
    RECT otherExtent = captionExtent(otherShot, kNormalText);
    EXPECT_EQ(otherExtent.left, centred.left);
    EXPECT_EQ(otherExtent.top, centred.top);
    EXPECT_EQ(otherExtent.bottom, centred.bottom);

    f.button.SetTextFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    RECT left = captionExtent(*f.shot(), kNormalText);
    EXPECT_GE(left.left, 11);
    EXPECT_LE(left.left, 13);
}

TEST(HoverButton, WithoutItsNormalImageItBecomesAPlainPushButton) {
    ButtonFixture f(999, kButtonB, kButtonB);
    RECT window;
    f.button.GetWindowRect(&window);
    // It keeps its creation size (the fall-back would be invisible at 0 × 0).
    EXPECT_EQ(window.right - window.left, 60);
    f.button.MoveWindow(20, 30, 60, 24);
    f.repaint();
    EXPECT_EQ(f.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
    auto shot = std::make_unique<Canvas>(60, 24);
    shot->capture(f.button.m_hWnd);
    EXPECT_LT(shot->count({0, 0, 60, 24}, f.parent.colour), 60 * 24); // the system face
}

TEST(HoverButton, StateChangesAndRepaintsLeakNothing) {
    long before = GdiLiveObjects();
    {
        ButtonFixture f(kButtonA, kButtonB, kButtonC, kButtonD);
        long painted = GdiLiveObjects();
        for (int i = 0; i < 4000; ++i) {
            switch (i % 4) {
            case 0:
                f.button.SetCheck(1);
                break;
            case 1:
                f.button.SendMessage(WM_MOUSEHOVER, 0, 0);
                break;
            case 2:
                f.button.EnableWindow(FALSE);
                break;
            default:
                f.button.EnableWindow(TRUE);
                f.button.SetCheck(0);
                f.button.SendMessage(WM_MOUSELEAVE, 0, 0);
            }
            f.button.UpdateWindow();
        }
        EXPECT_EQ(GdiLiveObjects(), painted);
        f.button.SetTextStyle(12, L"Arial", 0, 0, 0, 0, FALSE, FALSE, FALSE, FALSE);
        f.button.SetBitmaps(kButtonB, kButtonA, kButtonA, -1, -1, -1, -1,
                            GetModuleHandleW(nullptr));
        EXPECT_EQ(GdiLiveObjects(), painted);
    }
    EXPECT_EQ(GdiLiveObjects(), before);
    CBitmap later;
    EXPECT_TRUE(LoadSkinImage(later, GetModuleHandleW(nullptr), kChannelImage));
}

namespace {

// A dialog like the main window: an empty template whose hover button is made in
// OnInitDialog. Driven by its own timer from inside the modal loop: a real click on the
// button, a real Space, then a real `key` (Enter or Escape), which must end the dialog.
class ButtonDialog : public CDialog {
  public:
    static constexpr UINT_PTR kStepTimer = 77;
    static constexpr int kNotEnded = 99;

    explicit ButtonDialog(WORD key) : CDialog(302, nullptr), m_key(key) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{20, 40, 80, 64}, this, kId);
        button.SetBitmaps(kButtonA, kButtonB, kButtonC, -1, -1, -1, -1, GetModuleHandleW(nullptr));
        button.SetToggle(TRUE);
        SetTimer(kStepTimer, 200);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && wParam == MAKEWPARAM(kId, BN_CLICKED)) ++clicks;
        if (message == WM_TIMER && wParam == kStepTimer) {
            KillTimer(kStepTimer); // the click below pumps messages
            nextStep();
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    CHoverButtonV2 button;
    int clicks = 0;
    int clicksAfterSpace = -1;

  private:
    static void pressKey(WORD key) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof(INPUT));
    }

    void nextStep() {
        switch (m_step++) {
        case 0:
            ::SetForegroundWindow(m_hWnd);
            realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(button.m_hWnd, 30, 12));
            realMouse(MOUSEEVENTF_LEFTUP, onScreen(button.m_hWnd, 30, 12));
            pressKey(VK_SPACE);
            break;
        case 1:
            clicksAfterSpace = clicks;
            pressKey(m_key);
            break;
        default:
            EndDialog(kNotEnded);
            return;
        }
        SetTimer(kStepTimer, 300);
    }

    WORD m_key;
    int m_step = 0;
};

} // namespace

// After a click Space does nothing (the dialog manager may even have given the button the
// focus), and Enter and Escape still reach the dialog.
TEST(HoverButton, TakesNoKeyboardInputAndLeavesEnterAndEscapeToTheDialog) {
    for (auto [key, result] : {std::pair{VK_RETURN, IDOK}, std::pair{VK_ESCAPE, IDCANCEL}}) {
        ButtonDialog dialog(static_cast<WORD>(key));
        EXPECT_EQ(dialog.DoModal(), result) << key;
        EXPECT_EQ(dialog.clicks, 1) << key;
        EXPECT_EQ(dialog.clicksAfterSpace, 1) << key;
    }
    realMouse(0, POINT{900, 900});
}

// The system button takes the focus on a press; the hover button gives it back at once.
TEST(HoverButton, ARealClickLeavesTheFocusWhereItWas) {
    ButtonFixture f;
    ::SetForegroundWindow(f.parent.m_hWnd);
    ::SetFocus(f.parent.m_hWnd);
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(f.button.m_hWnd, 20, 12));
    EXPECT_EQ(::GetFocus(), f.parent.m_hWnd);
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(f.button.m_hWnd, 20, 12));
    EXPECT_EQ(::GetFocus(), f.parent.m_hWnd);
    EXPECT_EQ(f.button.GetCheck(), 1); // the press still became a click
    EXPECT_EQ(f.parent.only(WM_COMMAND).size(), 1u);
    realMouse(0, POINT{900, 900});
}

// The skin without image 157 (the Normal image of OK, Cancel and Apply): each of those buttons
// keeps its creation size, so that its plain push-button face is seen and can be clicked.
TEST(HoverButton, WithoutItsNormalImageTheFallBackKeepsItsSizeAndTakesARealClick) {
    HMODULE skin = LoadLibraryExW(besideProgram(L"skin_test_missing.dll").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(skin, nullptr);
    {
        RecordingParent parent{RecordingParent::Shown::Later};
        CHoverButtonV2 ok;
        ASSERT_TRUE(ok.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{400, 311, 449, 335},
                              &parent, IDOK));
        ok.SetBitmaps(157, 158, 159, -1, -1, -1, -1, skin);
        ok.SetToggle(TRUE);
        parent.show();
        RECT window;
        ok.GetWindowRect(&window);
        EXPECT_EQ(window.right - window.left, 49);
        EXPECT_EQ(window.bottom - window.top, 24);
        realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(ok.m_hWnd, 24, 12));
        realMouse(MOUSEEVENTF_LEFTUP, onScreen(ok.m_hWnd, 24, 12));
        auto commands = parent.only(WM_COMMAND);
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_EQ(commands[0].wParam, MAKEWPARAM(IDOK, BN_CLICKED));
        realMouse(0, POINT{900, 900});
    }
    FreeLibrary(skin);
}
