// The modal loop of CDialog with real dialogs and posted input.
#include "framework/button.h"
#include "framework/dialog.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

constexpr UINT kEndWith = WM_APP + 1;

class RecordingButton : public CButton {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) received.push_back(message);
        return CButton::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> received;
};

class TestDialog : public CDialog {
  public:
    explicit TestDialog(CWnd* parent = nullptr) : CDialog(302, parent) {}
    DECLARE_MESSAGE_MAP()

    std::function<void(TestDialog&)> onInit;
    RecordingButton child;
    std::vector<std::pair<HWND, UINT>> pretranslated;
    bool ownerWasDisabled = false;
    bool cancelled = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        child.SubclassWindow(::GetDlgItem(m_hWnd, 1001));
        if (onInit) onInit(*this);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        pretranslated.push_back({msg->hwnd, msg->message});
        if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
        return CDialog::PreTranslateMessage(msg);
    }
    void OnCancel() override {
        cancelled = true;
        CDialog::OnCancel();
    }

  protected:
    LRESULT OnEndWith(WPARAM wParam, LPARAM) {
        if (auto* owner = ::GetWindow(m_hWnd, GW_OWNER))
            ownerWasDisabled = !::IsWindowEnabled(owner);
        EndDialog(static_cast<int>(wParam));
        return 0;
    }
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_MESSAGE(kEndWith, OnEndWith)
END_MESSAGE_MAP()

TEST(Dialog, PreTranslateSeesChildMessagesAndItsRewriteIsDispatched) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) {
        ::PostMessageW(d.child.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
        ::PostMessageW(d.child.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        d.PostMessage(kEndWith, 7);
    };
    EXPECT_EQ(dialog.DoModal(), 7);
    HWND child = ::GetDlgItem(dialog.m_hWnd, 1001);
    (void)child;
    bool sawChildMessage = false;
    for (auto& [hwnd, message] : dialog.pretranslated)
        if (message == WM_LBUTTONDBLCLK) sawChildMessage = true;
    EXPECT_TRUE(sawChildMessage);
    EXPECT_EQ(dialog.child.received, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog window is gone after DoModal";
}

TEST(Dialog, EscapeCancels) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.cancelled);
}

TEST(Dialog, EndDialogDuringInitReturnsAtOnce) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.EndDialog(IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(Dialog, PostedQuitEndsTheLoopAndIsPostedAgain) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog&) { PostQuitMessage(3); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(Dialog, OwnerIsDisabledWhileModal) {
    RecordingParent owner;
    TestDialog dialog(&owner);
    dialog.onInit = [](TestDialog& d) { d.PostMessage(kEndWith, 5); };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_TRUE(dialog.ownerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(Dialog, MissingTemplateFails) {
    CDialog dialog(999, nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
}

} // namespace
