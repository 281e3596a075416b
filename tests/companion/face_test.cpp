// The companion's face over a window of this process: the tray icon in Wine's taskbar and its
// return with the taskbar, the menu's commands and the registry values behind them, the
// display switch, and the words shown for the mouse's state.
#include "companion/face/companion_face.h"
#include "companion/face/companion_options.h"
#include "companion/face/own_program.h"
#include "companion/face/start_with_windows.h"
#include "framework/program_folder.h"
#include "framework/wnd.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <optional>
#include <thread>
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

// Task Manager's entry for the Run value, whatever its type; none when there is none.
std::optional<std::vector<BYTE>> approvalValue() {
    BYTE data[64] = {};
    DWORD size = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kStartupApprovedValue, RRF_RT_ANY,
                       nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::vector<BYTE>(data, data + size);
}

// An EnumThreadWindows callback: the shown popup menu, into the HWND that `data` points to.
BOOL CALLBACK findShownMenu(HWND window, LPARAM data) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32768") != 0 || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// The companion's stand-in: it hands the face every message first, as the companion's window
// does, and notes at its end whether the taskbar still held its icon (Wine's taskbar drops the
// icons of a window that is gone, so only then can it tell).
class OwnerWindow : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()
    bool iconHeldAtDestroy = false;
    CompanionFace* face = nullptr;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (face && face->handleMessage(message, wParam, lParam, result)) return result;
        return CWnd::WindowProc(message, wParam, lParam);
    }
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
        createOwner();
        startFace();
    }
    void createOwner() {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanionSettingsKey);
        setStartWithWindows(false, {});
        ASSERT_TRUE(
            owner.CreateEx(0, nullptr, L"Companion stand-in", WS_POPUP, RECT{}, nullptr, 0));
    }
    void startFace(UINT trayRetryMs = kTrayRetryMs) {
        HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
        face.emplace(owner.m_hWnd, icon, icon, trayRetryMs);
        owner.face = &*face;
        face->start(nullptr);
    }
    void TearDown() override {
        owner.face = nullptr;
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
    const int use = ::GetMenuItemCount(menu) - 4;
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
    EXPECT_EQ(textOf(menu, UINT(use + 3)), L"Exit");
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

// The menu opens where the cursor was when Windows posted the icon's message, not at the point
// the message carries (physical pixels, which a program unaware of the display's scaling must
// not use). The cursor moves on before the message is handled, as it may.
TEST_F(FaceTest, TheMenuOpensAtTheCursorOfItsMessageNotAtTheCallbacksPoint) {
    const POINT cursor = {300, 200};
    ::SetCursorPos(cursor.x, cursor.y);
    ::PostMessageW(owner, kTrayCallbackMessage, MAKEWPARAM(900, 700),
                   MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
    ::SetCursorPos(700, 500);
    const DWORD thread = ::GetCurrentThreadId();
    std::atomic<bool> closed = false;
    RECT menu = {};
    std::thread watcher([&] {
        HWND found = nullptr;
        for (int wait = 0; wait < 250 && !found; ++wait, ::Sleep(20))
            ::EnumThreadWindows(thread, findShownMenu, reinterpret_cast<LPARAM>(&found));
        if (found) {
            ::GetWindowRect(found, &menu);
            ::PostMessageW(found, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        closed = true;
    });
    pumpUntil([&] { return closed.load(); }, 8000);
    watcher.join();
    pumpFor(50);
    ASSERT_GT(menu.bottom, menu.top) << "no menu opened";
    EXPECT_EQ(menu.left, cursor.x);
    EXPECT_EQ(menu.bottom, cursor.y) << "the menu hangs above the cursor";
    EXPECT_EQ(runValue(), L"(none)") << "the closed menu picked an entry";
}

TEST_F(FaceTest, StartWithWindowsWritesTheQuotedProgramAndTakesItAway) {
    EXPECT_FALSE(CompanionFace::menuState().startsWithWindows);
    face->runCommand(tray_command::kStartWithWindows);
    EXPECT_EQ(runValue(), L"\"" + programPath() + L"\"");
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

// The check mark says whether Windows starts this program at logon: the Run value must name it
// and Task Manager must not have disabled it. Choosing the entry unchecked makes it so (the
// value pointed here, Task Manager's entry enabled); checked, it takes both values away.
TEST_F(FaceTest, StartWithWindowsIsCheckedOnlyWhenWindowsWillStartThisProgram) {
    using Bytes = std::vector<BYTE>;
    const std::wstring self = programPath(), quoted = L"\"" + self + L"\"";
    std::wstring upper = self;
    ::CharUpperW(upper.data());
    std::wstring shortName(MAX_PATH, L'\0');
    shortName.resize(::GetShortPathNameW(self.c_str(), shortName.data(), MAX_PATH));
    ASSERT_NE(shortName, self) << "no 8.3 name to try";
    const Bytes disabled3 = {3, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01},
                disabled7 = {7, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01},
                enabled = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                enabled6 = {6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        const char* what;
        std::optional<std::wstring> run;
        std::optional<std::pair<DWORD, Bytes>> approved;
        bool checked;
    };
    const std::vector<Case> cases = {
        {"no value", {}, {}, false},
        {"this program, quoted", quoted, {}, true},
        {"this program, other letter case, unquoted", upper, {}, true},
        {"this program with an argument", quoted + L" /tray", {}, true},
        {"this program by its 8.3 name", shortName, {}, true},
        {"this program with the long-path prefix", L"\"\\\\?\\" + self + L"\"", {}, true},
        {"another folder's copy", L"\"C:\\old place\\pelkotray.exe\"", {}, false},
        {"a quote left open", L"\"" + self, {}, false},
        {"disabled in Task Manager", quoted, {{REG_BINARY, disabled3}}, false},
        {"disabled, the other state", quoted, {{REG_BINARY, disabled7}}, false},
        {"enabled in Task Manager", quoted, {{REG_BINARY, enabled}}, true},
        {"enabled, the other state", quoted, {{REG_BINARY, enabled6}}, true},
        {"approval empty", quoted, {{REG_BINARY, {}}}, true},
        {"approval not binary", quoted, {{REG_DWORD, {3, 0, 0, 0}}}, true},
        {"approval alone", {}, {{REG_BINARY, enabled}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setStartWithWindows(false, {});
        if (c.run)
            storeRaw(kRunKey, kRunValue, REG_SZ, c.run->c_str(),
                     DWORD((c.run->size() + 1) * sizeof(wchar_t)));
        if (c.approved)
            storeRaw(kStartupApprovedKey, kStartupApprovedValue, c.approved->first,
                     c.approved->second.data(), DWORD(c.approved->second.size()));
        EXPECT_EQ(CompanionFace::menuState().startsWithWindows, c.checked);

        face->runCommand(tray_command::kStartWithWindows);
        EXPECT_EQ(CompanionFace::menuState().startsWithWindows, !c.checked);
        EXPECT_EQ(runValue(), c.checked ? L"(none)" : quoted);
        const std::optional<Bytes> approval = approvalValue();
        if (c.checked || !c.approved)
            EXPECT_FALSE(approval) << "Task Manager's entry was left or made";
        else
            EXPECT_EQ(approval, enabled) << "Task Manager's entry still disables it";
    }
    setStartWithWindows(false, {});
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

namespace {

// A taskbar of the test's own behind the Shell_NotifyIconW seam, which does what Explorer does
// where Wine's taskbar cannot show it: it holds each icon once (a second add of an icon it
// holds fails), refuses the first `refusals` adds as a busy Explorer at logon does, and counts
// the adds.
struct StandInTaskbar {
    static inline std::map<std::pair<HWND, UINT>, std::wstring> tips;
    static inline int refusals = 0;
    static inline int adds = 0;

    static BOOL WINAPI notify(DWORD message, PNOTIFYICONDATAW data) {
        const auto key = std::make_pair(data->hWnd, data->uID);
        const bool held = tips.count(key) != 0;
        switch (message) {
        case NIM_ADD:
            ++adds;
            if (refusals > 0) {
                --refusals;
                return FALSE;
            }
            if (held) return FALSE;
            tips[key] = (data->uFlags & NIF_TIP) ? data->szTip : L"";
            return TRUE;
        case NIM_MODIFY:
            if (held && (data->uFlags & NIF_TIP)) tips[key] = data->szTip;
            return held;
        case NIM_DELETE:
            tips.erase(key);
            return held;
        default:
            return held;
        }
    }
};

class StandInTaskbarTest : public FaceTest {
  protected:
    void SetUp() override {
        StandInTaskbar::tips.clear();
        StandInTaskbar::refusals = 0;
        StandInTaskbar::adds = 0;
        installShellNotifyIcon(StandInTaskbar::notify);
        createOwner();
    }
    void TearDown() override {
        FaceTest::TearDown();
        installShellNotifyIcon(nullptr);
    }
    std::wstring tipShown() const {
        const auto icon = StandInTaskbar::tips.find({owner.m_hWnd, kTrayIconId});
        return icon == StandInTaskbar::tips.end() ? L"(no icon)" : icon->second;
    }
};

} // namespace

// Windows announces a new taskbar after a display change or a remote connection with the icon
// still there: the companion keeps one icon whose tooltip still follows, and Exit takes it.
TEST_F(StandInTaskbarTest, ATaskbarAnnouncedWithTheIconStillThereKeepsOneLiveIconUntilExit) {
    startFace();
    ASSERT_EQ(StandInTaskbar::tips.size(), 1u);
    ::SendMessageW(owner, TrayIcon::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(face->trayIcon().added());
    EXPECT_EQ(StandInTaskbar::tips.size(), 1u);
    face->mouseFound(MouseView{2, 1, 800});
    EXPECT_EQ(tipShown(), L"Glimmerhaus Pelko: profile 2, 800 CPI") << "the tooltip froze";
    face->runCommand(tray_command::kExit);
    EXPECT_TRUE(StandInTaskbar::tips.empty()) << "Exit left a ghost icon";
}

// At logon Explorer may refuse the first adds and announce nothing afterwards: the icon is
// tried again, on the owner's timer, until it is there with the tooltip of the moment; then
// the tries stop.
TEST_F(StandInTaskbarTest, ARefusedIconIsTriedAgainUntilTheTaskbarTakesItWithTheLatestTip) {
    StandInTaskbar::refusals = 2;
    startFace(50);
    EXPECT_FALSE(face->trayIcon().added());
    face->mouseFound(MouseView{3, 1, 1600});
    ASSERT_TRUE(pumpUntil([&] { return face->trayIcon().added(); }, 3000))
        << "the icon was not tried again";
    EXPECT_EQ(StandInTaskbar::adds, 3);
    EXPECT_EQ(tipShown(), L"Glimmerhaus Pelko: profile 3, 1600 CPI");
    pumpFor(200);
    EXPECT_EQ(StandInTaskbar::adds, 3) << "the tries went on after the icon was there";
    face->runCommand(tray_command::kExit);
    EXPECT_TRUE(StandInTaskbar::tips.empty());
}
