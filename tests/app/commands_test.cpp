// The main window at work, driven by real pointer input: dragging, the option groups, the
// sliders' rules, profiles, Apply, OK and Cancel on the wire, the device watch and the pages.
#include "app/web_pages.h"
#include "framework/gdi_object.h"
#include "tests/app/running_window.h"
#include "tests/support/pixels.h"

#include <string>
#include <vector>

namespace {

using namespace layout::id;

std::vector<std::wstring> openedPages;

HINSTANCE WINAPI recordPage(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    openedPages.push_back(std::wstring(verb) + L" " + file);
    return reinterpret_cast<HINSTANCE>(33);
}

// The centre of a control in the window's client coordinates.
POINT centreOf(const layout::Control& row, CPELKOmouseDlg& d) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(d, row.id), &r);
    ::MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const layout::Control& rowOf(int id) {
    for (const layout::Control& row : layout::kControls)
        if (row.id == id) return row;
    return layout::kControls[0];
}

} // namespace

// One shown window for the cases that need real pointer input.
class RunningWindowTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        build();
        dialog->SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dialog->ShowWindow(SW_SHOWNORMAL);
        dialog->UpdateWindow();
        pumpDialogUntil(
            *dialog, [] { return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0; }, 3000);
    }

    void click(int id) {
        POINT c = centreOf(rowOf(id), *dialog);
        clickAt(*dialog, c.x, c.y);
    }

    // Drags a slider's thumb to the channel x where its centre should end.
    void dragThumb(int sliderId, int channelX) {
        CBitmapSliderCtrl& s = dialog->slider(sliderId);
        RECT thumb = s.GetThumbRect();
        const layout::Control& row = rowOf(sliderId);
        int y = row.rect.top + (thumb.top + thumb.bottom) / 2;
        int from = row.rect.left + (thumb.left + thumb.right) / 2;
        pointerAt(*dialog, from, y);
        pointerAt(*dialog, from, y, MOUSEEVENTF_LEFTDOWN);
        pointerAt(*dialog, row.rect.left + channelX, y);
        pointerAt(*dialog, row.rect.left + channelX, y, MOUSEEVENTF_LEFTUP);
    }

    RECT windowRect() const {
        RECT r;
        dialog->GetWindowRect(&r);
        return r;
    }
};

TEST_F(RunningWindowTest, OnlyTheTitleStripOutsideTheCaptionButtonsDragsTheWindow) {
    struct Case {
        int x, y;
        bool moves;
    };
    for (Case c : {Case{510, 10, false}, Case{300, 30, false}, Case{300, 10, true}}) {
        RECT before = windowRect();
        auto at = [&](int dx, int dy, DWORD flags) {
            pointerAtScreen(*dialog, {before.left + c.x + dx, before.top + c.y + dy}, flags);
        };
        at(0, 0, 0);
        at(0, 0, MOUSEEVENTF_LEFTDOWN);
        at(20, 40, 0);
        at(40, 60, 0);
        at(40, 60, MOUSEEVENTF_LEFTUP);
        RECT after = windowRect();
        EXPECT_EQ(after.left - before.left, c.moves ? 40 : 0) << c.x << "," << c.y;
        EXPECT_EQ(after.top - before.top, c.moves ? 60 : 0) << c.x << "," << c.y;
        EXPECT_EQ(after.right - after.left, 568);
        EXPECT_FALSE(dialog->IsIconic());
    }
}

TEST_F(RunningWindowTest, OptionGroupsKeepTheClickedChoiceCheckedEvenWhenClickedAgain) {
    POINT rate = centreOf(rowOf(kRate125), *dialog);
    pointerAt(*dialog, rate.x, rate.y);
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                        MOUSEEVENTF_LEFTUP}) // a double click
        pointerAt(*dialog, rate.x, rate.y, flags);
    EXPECT_EQ(dialog->button(kRate125).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kRate500).GetCheck(), 0);

    click(kAccelerationOn);
    click(kAccelerationOn);
    EXPECT_EQ(dialog->button(kAccelerationOn).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kAccelerationOff).GetCheck(), 0);
    click(kSwapOn);
    EXPECT_EQ(dialog->button(kSwapOn).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kSwapOff).GetCheck(), 0);
}

TEST_F(RunningWindowTest, SensitivitySnapsTo10Point5AndTheWheelSliderClearsOnePage) {
    // Thumb centres: value v lies at 9 + (v - 1) * 252 / 19.
    dragThumb(kSensitivity, 129); // 10.05
    EXPECT_NEAR(dialog->slider(kSensitivity).GetPos(), 10.0f, 0.1f);
    auto sensitivity = [&] { return dialog->slider(kSensitivity).GetPos(); };
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return sensitivity() == 10.5f; }, 1000));
    dragThumb(kSensitivity, 155); // 12.0
    const float dragged = sensitivity();
    EXPECT_FALSE(pumpDialogUntil(
        *dialog, [&] { return sensitivity() != dragged; }, 250));
    EXPECT_NEAR(sensitivity(), 12.0f, 0.1f);

    click(kOnePage);
    ASSERT_EQ(dialog->button(kOnePage).GetCheck(), 1);
    dragThumb(kWheel, 200);
    EXPECT_EQ(dialog->button(kOnePage).GetCheck(), 0);
}

TEST_F(RunningWindowTest, AProfileKeepsItsEditsAcrossASwitchAndANewProfileGetsItsFactoryChoices) {
    // Never configured: profile 1 shows its factory choices.
    POINT cpi1 = centreOf(rowOf(kCpi1List), *dialog);
    clickAt(*dialog, cpi1.x, cpi1.y);                                      // opens the list
    clickAt(*dialog, cpi1.x, rowOf(kCpi1List).rect.top + 14 + 2 * 16 + 8); // "1600"
    ASSERT_EQ(dialog->list(kCpi1List).GetCurSel(), 2);
    click(kRate1000);
    click(kProfile3);
    EXPECT_EQ(dialog->list(kCpi1List).GetCurSel(), 0);
    EXPECT_EQ(dialog->list(kCpi2List).GetCurSel(), 1);
    EXPECT_EQ(dialog->button(kRate500).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kSwapOn).GetCheck(), 1);
    EXPECT_EQ(dialog->currentProfile, 22);
    click(kProfile1);
    EXPECT_EQ(dialog->list(kCpi1List).GetCurSel(), 2);
    EXPECT_EQ(dialog->button(kRate1000).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kProfile1).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kProfile3).GetCheck(), 0);
    EXPECT_EQ(bus->exchangeCount(), kStartUpExchanges); // nothing sent by a switch
}

TEST_F(RunningWindowTest, ApplyWritesExactlyTheEditedBytesInThirtyExchanges) {
    const SimMemory before = bus->firmware.memory;
    click(kRate1000); // profile 1: 1000 Hz
    click(kProfile2); // factory choices of profile 2
    click(kSwapOn);   // profile 2: swap on
    const auto clicked = std::chrono::steady_clock::now();
    click(kApply);
    click(kApply); // while it is disabled: no second sequence
    EXPECT_FALSE(dialog->button(kApply).IsWindowEnabled());
    std::vector<WireExchange> sent = exchangesSince(kStartUpExchanges);
    ASSERT_EQ(sent.size(), 30u);
    EXPECT_EQ(sent[0].command, 'D');
    EXPECT_EQ(sent[0].payload[0], 7);
    for (int i = 1; i <= 26; ++i)
        EXPECT_EQ(sent[size_t(i)].command, 'E') << i;
    EXPECT_EQ(sent[27].command, 'I');
    EXPECT_EQ(sent[27].payload[0], 11);
    EXPECT_GE(sent[27].at - sent[26].at, std::chrono::milliseconds(200));
    EXPECT_EQ(sent[28].command, '!');
    EXPECT_EQ(sent[28].payload[0], 3); // the twin of stage 1
    EXPECT_EQ(sent[28].payload[1], 1); // 1000 Hz
    EXPECT_EQ(sent[28].payload[2], 1); // swap on
    EXPECT_GE(sent[29].at - sent[28].at, std::chrono::milliseconds(400));
    EXPECT_EQ(sent[29].payload[0], 1);

    SimMemory expected = before;
    expected[0] = 12;   // profiles 1 and 2 had their factory choices
    expected[2] = 0x1F; // Apply's fixed bytes
    expected[4] = 0xE0;
    expected[6] = 11;  // selected after the block write
    expected[33] = 1;  // profile 1 at 1000 Hz
    expected[45] = 1;  // profile 2: swap on (its other factory choices match its bytes)
    expected[46] = 10; // the pointer values read from Windows
    expected[48] = 3;
    expected[128] = 0; // the protocol writes 0 at 128 and 129
    expected[129] = 0;
    for (size_t a = 0; a < expected.size(); ++a)
        EXPECT_EQ(bus->firmware.memory[a], expected[a]) << "address " << a;

    auto enabled = [&] { return dialog->button(kApply).IsWindowEnabled() != FALSE; };
    EXPECT_FALSE(pumpDialogUntil(*dialog, enabled, 150)); // released 400 ms after the sequence
    pumpDialogUntil(*dialog, enabled, 3000);
    const std::chrono::duration<double, std::milli> released =
        std::chrono::steady_clock::now() - clicked;
    std::printf("Apply: click to Apply enabled again %.0f ms\n", released.count());
    EXPECT_TRUE(dialog->button(kApply).IsWindowEnabled());
    EXPECT_EQ(dialog->button(kApply).GetCheck(), 0);
}

TEST_F(AppTest, OkWritesWhatApplyWritesButAddresses2And4AndCancelWritesNothing) {
    build().SendMessage(WM_COMMAND, kApply);
    const SimMemory applied = bus->firmware.memory;

    resetBus();
    const SimMemory before = bus->firmware.memory;
    build().SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(dialog->GetResult(), IDOK);
    EXPECT_EQ(exchangesSince(kStartUpExchanges).size(), 30u);
    SimMemory expected = applied;
    expected[2] = before[2];
    expected[4] = before[4];
    EXPECT_EQ(bus->firmware.memory, expected);

    resetBus();
    build().SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(dialog->GetResult(), IDCANCEL);
    EXPECT_EQ(bus->exchangeCount(), kStartUpExchanges);
}

TEST_F(RunningWindowTest, TheWatchPollsOnceASecondAndFollowsTheMousesButtons) {
    // Four or five polls in 5.1 s.
    auto polls = [&] { return bus->exchangeCount() - kStartUpExchanges; };
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return polls() >= 4; }, 5100));
    EXPECT_FALSE(pumpDialogUntil(
        *dialog, [&] { return polls() > 5; }, 5100 - (::GetTickCount() - start)));

    bus->pressNextProfile();
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return dialog->currentProfile == 11; }, 3000));
    EXPECT_EQ(dialog->button(kProfile2).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kProfile1).GetCheck(), 0);

    auto listOpen = [&](int id) { return dialog->list(id).GetList()->IsWindowVisible() != FALSE; };
    bus->pressCycleCpiStage(); // stage 1 → 2: the CPI 2 list is pressed (its list opens)
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return listOpen(kCpi2List); }, 3000));
    EXPECT_FALSE(dialog->list(kCpi1List).GetList()->IsWindowVisible());
    bus->pressCycleCpiStage(); // 2 → 3: back to CPI 1
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return listOpen(kCpi1List); }, 3000));
    EXPECT_FALSE(dialog->list(kCpi2List).GetList()->IsWindowVisible());
    dialog->list(kCpi1List).SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

TEST_F(RunningWindowTest, AProfileChosenRightAfterApplyStaysShownWhenTheWatchPolls) {
    click(kProfile2);
    click(kApply); // the mouse now has profile 2
    click(kProfile1);
    // The watch's next poll.
    const int exchanges = bus->exchangeCount();
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return bus->exchangeCount() > exchanges; }, 3000));
    EXPECT_EQ(dialog->currentProfile, 0);
    EXPECT_EQ(dialog->button(kProfile1).GetCheck(), 1);
    EXPECT_EQ(dialog->button(kProfile2).GetCheck(), 0);
}

TEST_F(AppTest, APulledCableIsReportedAndEndsTheProgram) {
    build();
    // A first poll of the plugged mouse.
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return bus->exchangeCount() > kStartUpExchanges; }, 3000));
    MessageBoxAnswerer answerer(L"Error");
    bus->unplug();
    bool quit = pumpDialogUntilQuit(*dialog, 5000);
    EXPECT_EQ(answerer.text(100), L"No Glimmerhaus Pelko detected!");
    EXPECT_TRUE(quit);
}

TEST_F(RunningWindowTest, LabelsShowOnTheirPageOnlyAndTheLinksOpenTheirPages) {
    auto labelPixels = [&](const layout::Label& label) {
        dialog->Invalidate(TRUE);
        dialog->UpdateWindow();
        Canvas canvas(568, 344);
        canvas.capture(*dialog);
        RECT r = {label.rect.left, label.rect.top, label.rect.right, label.rect.bottom};
        return canvas.count(r, dialog->labelColour);
    };
    // Whether a label's rectangle meets anything the shown page draws in the same colour.
    auto overlapsShown = [&](const layout::Label& label, layout::Page shown) {
        RECT a = {label.rect.left, label.rect.top, label.rect.right, label.rect.bottom};
        auto meets = [&](layout::Rect r, layout::Page page) {
            RECT b = {r.left, r.top, r.right, r.bottom}, both;
            return (page == shown || page == layout::Page::Both) && ::IntersectRect(&both, &a, &b);
        };
        for (const layout::Label& other : layout::kLabels)
            if (meets(other.rect, other.page)) return true;
        for (const layout::Control& control : layout::kControls) {
            RECT r;
            ::GetWindowRect(::GetDlgItem(*dialog, control.id), &r);
            ::MapWindowPoints(nullptr, *dialog, reinterpret_cast<POINT*>(&r), 2);
            if (meets({r.left, r.top, r.right, r.bottom}, control.page)) return true;
        }
        return false;
    };
    for (layout::Page page : {layout::Page::Options, layout::Page::Main}) {
        const int tab = page == layout::Page::Options ? kOptionsTab : kMainTab;
        click(tab);
        // The tab is released once the page shows.
        EXPECT_TRUE(pumpDialogUntil(
            *dialog, [&] { return dialog->button(tab).GetCheck() == 0; }, 3000));
        for (const layout::Label& label : layout::kLabels) {
            bool here = label.page == page || label.page == layout::Page::Both;
            if (here) {
                EXPECT_GT(labelPixels(label), 0) << label.rect.left << "," << label.rect.top;
            } else if (!overlapsShown(label, page)) {
                EXPECT_EQ(labelPixels(label), 0) << label.rect.left << "," << label.rect.top;
            }
        }
        if (page != layout::Page::Options) continue;
        EXPECT_EQ(dialog->labelTexts[layout::kFirmwareVersionValue], L" Version 1.2.7 ");
        installShellExecute(recordPage);
        openedPages.clear();
        click(kSupportLink);
        installShellExecute(nullptr);
        EXPECT_EQ(openedPages,
                  std::vector<std::wstring>{L"open https://glimmerhaus.example/pelko/support"});
        EXPECT_EQ(dialog->button(kSupportLink).GetCheck(), 1);
        EXPECT_TRUE(pumpDialogUntil(
            *dialog, [&] { return dialog->button(kSupportLink).GetCheck() == 0; }, 3000));
    }
}

TEST_F(AppTest, APageSwitchShowsExactlyThatPagesControls) {
    build();
    for (layout::Page page : {layout::Page::Options, layout::Page::Main, layout::Page::Main}) {
        dialog->SendMessage(WM_COMMAND, page == layout::Page::Main ? kMainTab : kOptionsTab);
        for (const layout::Control& row : layout::kControls) {
            HWND control = ::GetDlgItem(*dialog, row.id);
            bool shown = (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
            EXPECT_EQ(shown, row.page == page || row.page == layout::Page::Both) << row.id;
        }
    }
}

// A short version of the benchmark's 50,000 switches: any object a switch leaves behind shows
// in the framework's count.
TEST_F(AppTest, TwoThousandPageSwitchesLeaveNoGdiObjectBehind) {
    build();
    const long before = GdiLiveObjects();
    for (int i = 0; i < 2000; ++i)
        dialog->SendMessage(WM_COMMAND, i % 2 ? kMainTab : kOptionsTab);
    EXPECT_EQ(GdiLiveObjects(), before);
    EXPECT_NE(dialog->background.GetSafeHandle(), nullptr);
    Canvas canvas(568, 344);
    dialog->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()));
    EXPECT_GT(canvas.count({9, 41, 121, 55}, dialog->labelColour), 0); // "Hardware Settings"
}
