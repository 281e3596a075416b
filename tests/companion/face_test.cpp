// The companion's face over a window of this process: the tray icon in Wine's taskbar and its
// return with the taskbar, the menu's commands and the registry values behind them, the
// display switch, and the words shown for the mouse's state.
#include "companion/companion_face.h"
#include "companion/companion_options.h"
#include "companion/own_program.h"
#include "companion/start_with_windows.h"
#include "framework/program_folder.h"
#include "framework/wnd.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

NOTIFYICONDATAW iconOf(HWND owner) {
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof(icon);
    icon.hWnd = owner;
    icon.uID = kTrayIconId;
    return icon;
}

// Whether the taskbar holds the icon: it modifies only icons it knows.
bool taskbarHolds(HWND owner) {
    NOTIFYICONDATAW probe = iconOf(owner);
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

void storeRaw(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

std::wstring runValue() {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text,
                       &size) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

// The companion's stand-in, which notes at its end whether the taskbar still held its icon
// (Wine's taskbar drops the icons of a window that is gone, so only then can it tell).
class OwnerWindow : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()
    bool iconHeldAtDestroy = false;

  protected:
    LRESULT OnDestroy(WPARAM, LPARAM) {
        iconHeldAtDestroy = taskbarHolds(m_hWnd);
        return Default();
    }
};

BEGIN_MESSAGE_MAP(OwnerWindow, CWnd)
ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

class FaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
        setStartWithWindows(false, {});
        ASSERT_TRUE(
            owner.CreateEx(0, nullptr, L"Companion stand-in", WS_POPUP, RECT{}, nullptr, 0));
        HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
        face.emplace(owner.m_hWnd, icon, icon);
        face->start(nullptr);
    }
    void TearDown() override {
        face.reset();
        owner.DestroyWindow();
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
        setStartWithWindows(false, {});
    }

    OwnerWindow owner;
    std::optional<CompanionFace> face;
};

// The menu's program links: the program offered with its link checked, each link listed, and
// which program and profile each pick stands for; before any program, a dead entry.
TEST(LinkMenuTest, TheMenuOffersTheProgramChecksItsLinkAndListsEachLinkToRemove) {
    const auto textOf = [](HMENU menu, UINT position) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
        return std::wstring(text);
    };
    LinkMenuState state{L"game.exe", 2, {{L"game.exe", 2}, {L"shooter.exe", 1}}};
    HMENU menu = createTrayMenu(TrayMenuState{true, false, state});
    const int use = ::GetMenuItemCount(menu) - 3;
    EXPECT_EQ(textOf(menu, UINT(use)), L"Use profile for game.exe");
    HMENU choices = ::GetSubMenu(menu, use);
    ASSERT_TRUE(choices);
    for (UINT profile = 0; profile <= 3; ++profile)
        EXPECT_EQ(::GetMenuState(choices, link_command::kUseProfile + profile, MF_BYCOMMAND) &
                      MF_CHECKED,
                  profile == 2 ? UINT(MF_CHECKED) : 0u)
            << "profile " << profile;
    HMENU list = ::GetSubMenu(menu, use + 1);
    ASSERT_TRUE(list);
    EXPECT_EQ(textOf(list, 1), L"Remove shooter.exe (profile 1)");
    EXPECT_EQ(textOf(menu, UINT(use + 2)), L"Exit");
    ::DestroyMenu(menu);

    using Choice = std::optional<std::pair<std::wstring, int>>;
    EXPECT_EQ(linkChoiceOf(link_command::kUseProfile + 3, state), Choice({L"game.exe", 3}));
    EXPECT_EQ(linkChoiceOf(link_command::kUseProfile, state), Choice({L"game.exe", 0}));
    EXPECT_EQ(linkChoiceOf(link_command::kRemoveFirst + 1, state), Choice({L"shooter.exe", 0}));
    EXPECT_EQ(linkChoiceOf(link_command::kRemoveFirst + 2, state), std::nullopt);
    EXPECT_EQ(linkChoiceOf(tray_command::kExit, state), std::nullopt);

    state.program.clear();
    EXPECT_EQ(linkChoiceOf(link_command::kUseProfile + 1, state), std::nullopt);
    menu = createTrayMenu(TrayMenuState{true, false, state});
    EXPECT_EQ(::GetMenuState(menu, UINT(use), MF_BYPOSITION) & MF_GRAYED, UINT(MF_GRAYED));
    ::DestroyMenu(menu);
}

} // namespace

TEST(FaceTexts, NameTheProfileAndTheCpiOrWhatIsKnown) {
    const MouseView known{2, 1, 800}, unknown{3, 4, 0};
    EXPECT_EQ(profileDisplayText(known), L"Profile 2 \u00B7 800 CPI");
    EXPECT_EQ(stageDisplayText(known), L"800 CPI");
    EXPECT_EQ(trayTipText(known), L"Glimmerhaus Pelko: profile 2, 800 CPI");
    EXPECT_EQ(profileDisplayText(unknown), L"Profile 3");
    EXPECT_EQ(stageDisplayText(unknown), L"CPI stage 4");
    EXPECT_EQ(trayTipText(unknown), L"Glimmerhaus Pelko: profile 3");
    EXPECT_EQ(trayTipNoMouse(), L"Glimmerhaus Pelko: no mouse");
}

TEST(CompanionOptions, TheDisplaySwitchIsOnUnlessAWellFormedValueSaysOff) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<BYTE> data;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"off", REG_DWORD, {0, 0, 0, 0}, false},
        {"on", REG_DWORD, {1, 0, 0, 0}, true},
        {"another number", REG_DWORD, {7, 0, 0, 0}, true},
        {"a text", REG_SZ, {'0', 0}, true},
        {"too short", REG_BINARY, {0}, true},
        {"too long", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}, true},
    };
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
    EXPECT_TRUE(onScreenDisplayEnabled()) << "no key";
    for (const Case& c : cases) {
        storeRaw(kCompanionSettingsKey, kOnScreenDisplayValue, c.type, c.data.data(),
                 DWORD(c.data.size()));
        EXPECT_EQ(onScreenDisplayEnabled(), c.expected) << c.what;
    }
    ASSERT_TRUE(setOnScreenDisplayEnabled(false));
    EXPECT_FALSE(onScreenDisplayEnabled());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
}

TEST_F(FaceTest, TheIconStaysInTheTaskbarUntilExitAndComesBackWithANewTaskbar) {
    ASSERT_TRUE(face->trayIcon().added()) << "Wine's taskbar refused the icon";
    EXPECT_TRUE(taskbarHolds(owner));

    // A new taskbar has none of the old one's icons; its broadcast brings ours back.
    NOTIFYICONDATAW gone = iconOf(owner);
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &gone));
    ASSERT_FALSE(taskbarHolds(owner));
    LRESULT result = 1;
    EXPECT_TRUE(face->handleMessage(TrayIcon::taskbarCreatedMessage(), 0, 0, result));
    EXPECT_TRUE(taskbarHolds(owner));

    const HWND window = owner.m_hWnd;
    face->runCommand(tray_command::kExit);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(owner.iconHeldAtDestroy) << "Exit left the icon to the window's end";
}

TEST_F(FaceTest, StartWithWindowsWritesTheQuotedProgramAndTakesItAway) {
    EXPECT_FALSE(CompanionFace::menuState().startsWithWindows);
    face->runCommand(tray_command::kStartWithWindows);
    EXPECT_EQ(runValue(), L"\"" + programPath() + L"\"");
    EXPECT_TRUE(CompanionFace::menuState().startsWithWindows);
    face->runCommand(tray_command::kStartWithWindows);
    EXPECT_EQ(runValue(), L"(none)");

    // A value from an older unpacked folder counts as set: the entry takes it away.
    const wchar_t old[] = L"\"C:\\old place\\pelkotray.exe\"";
    storeRaw(kRunKey, kRunValue, REG_SZ, old, sizeof(old));
    EXPECT_TRUE(CompanionFace::menuState().startsWithWindows);
    face->runCommand(tray_command::kStartWithWindows);
    EXPECT_EQ(runValue(), L"(none)");

    // The menu's check marks follow the registry.
    face->runCommand(tray_command::kStartWithWindows);
    face->runCommand(tray_command::kOnScreenDisplay);
    HMENU menu = createTrayMenu(CompanionFace::menuState());
    EXPECT_EQ(::GetMenuState(menu, tray_command::kStartWithWindows, MF_BYCOMMAND) & MF_CHECKED,
              UINT(MF_CHECKED));
    EXPECT_EQ(::GetMenuState(menu, tray_command::kOnScreenDisplay, MF_BYCOMMAND) & MF_CHECKED, 0u);
    ::DestroyMenu(menu);
}

TEST_F(FaceTest, TheDisplaySwitchedOffShowsNothingUntilSwitchedOnAgain) {
    const MouseView view{2, 2, 800};
    face->profileChanged(view);
    EXPECT_TRUE(face->display().IsWindowVisible());
    EXPECT_EQ(face->display().GetWindowText(), L"Profile 2 \u00B7 800 CPI");

    face->runCommand(tray_command::kOnScreenDisplay); // off: the shown text goes too
    EXPECT_FALSE(face->display().IsWindowVisible());
    face->stageChanged(view);
    face->profileChanged(view);
    pumpFor(100);
    EXPECT_FALSE(face->display().IsWindowVisible());

    face->runCommand(tray_command::kOnScreenDisplay);
    face->stageChanged(view);
    EXPECT_TRUE(face->display().IsWindowVisible());
    EXPECT_EQ(face->display().GetWindowText(), L"800 CPI");
}
