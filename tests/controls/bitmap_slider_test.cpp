// The bitmap slider in a real window: thumb geometry, drag and paging with the real page
// timer, notifications, the drawing of channel and thumb, and degenerate configurations.
#include "controls/bitmap_slider.h"
#include "controls/control_messages.h"
#include "controls/skin_image.h"
#include "tests/controls/pixels.h"
#include "tests/support/real_mouse.h"
#include "tests/support/recording_parent.h"
#include <cmath>
#include <gtest/gtest.h>

using namespace test_images;

namespace {

constexpr int kId = 1012;
constexpr int kThumbTop = 8;

// Records the thumb's left edge at each page-timer tick.
class RecordingSlider : public CBitmapSliderCtrl {
  public:
    std::vector<LONG> leftAtTick;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = CBitmapSliderCtrl::WindowProc(message, wParam, lParam);
        if (message == WM_TIMER && wParam == kPageTimerId)
            leftAtTick.push_back(GetThumbRect().left);
        return result;
    }
};

struct SliderFixture {
    RecordingParent parent{RecordingParent::Shown::Later};
    RecordingSlider slider;

    explicit SliderFixture(bool evenThumb = false) {
        EXPECT_TRUE(slider.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{20, 40, 300, 50},
                                  &parent, kId));
        slider.SetRange(1.0f, 20.0f);
        slider.SetThumbTop(kThumbTop);
        int thumb = evenThumb ? kThumbEven : kThumbOdd;
        slider.SetBitmaps(GetModuleHandleW(nullptr), kChannelImage, kChannelDisabledImage,
                          kChannelImage, thumb, thumb + 1, thumb + 2);
        slider.SetHitColour(kHitColour);
        slider.SetChannelSpan(9, 261);
        slider.SetPageStep(20);
        slider.SetPos(5.0f);
        parent.show();
        parent.clear();
    }

    LONG left() const { return slider.GetThumbRect().left; }
    LONG centre() const { return left() + (slider.GetThumbRect().right - left()) / 2; }
    void press(int x, int y = kThumbTop + 6) {
        slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void move(int x, WPARAM keys = MK_LBUTTON) {
        slider.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(x, kThumbTop + 6));
    }
    void release(int x) { slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, kThumbTop + 6)); }
    size_t commands() const { return parent.only(WM_COMMAND).size(); }

    std::unique_ptr<Canvas> shot() {
        slider.UpdateWindow();
        pumpPending();
        auto canvas = std::make_unique<Canvas>(270, 30);
        canvas->capture(slider.m_hWnd);
        return canvas;
    }
};

} // namespace

TEST(BitmapSlider, SetPosPlacesTheThumbAndNotifiesOnlyInsideTheRange) {
    SliderFixture f;
    RECT window;
    f.slider.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 270);
    EXPECT_EQ(window.bottom - window.top, 30);
    EXPECT_EQ(f.left(), 56); // 9 + trunc(4 × 252 / 19) − 6
    EXPECT_EQ(f.slider.GetThumbRect().right, 69);
    EXPECT_EQ(f.slider.GetThumbRect().top, kThumbTop);
    EXPECT_EQ(f.slider.GetThumbRect().bottom, kThumbTop + 13);

    f.slider.SetPos(20.0f);
    EXPECT_EQ(f.left(), 255);
    EXPECT_EQ(f.centre(), 261);
    EXPECT_FLOAT_EQ(f.slider.GetPos(), 20.0f);
    auto commands = f.parent.only(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(kId));
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(f.slider.m_hWnd));

    f.slider.SetPos(0.5f);
    f.slider.SetPos(20.01f);
    f.slider.SetPos(std::nanf(""));
    EXPECT_EQ(f.left(), 255);
    EXPECT_FLOAT_EQ(f.slider.GetPos(), 20.0f);
    EXPECT_EQ(f.commands(), 1u);
}

TEST(BitmapSlider, DrawsChannelAndThumbOverTheParentAndRestoresTheOldThumbPlace) {
    SliderFixture f;
    auto shot = f.shot();
    int middle = kThumbTop + 6;
    EXPECT_EQ(shot->at(0, middle), f.parent.colour); // the channel's magenta column
    EXPECT_EQ(shot->at(30, 2), colourOf(kChannel));
    EXPECT_TRUE(shot->all({56, kThumbTop, 69, kThumbTop + 13}, colourOf(kThumb)));
    EXPECT_EQ(shot->at(55, middle), colourOf(kChannel));
    EXPECT_EQ(shot->at(69, middle), colourOf(kChannel));

    f.slider.SetPos(20.0f);
    shot = f.shot();
    EXPECT_TRUE(shot->all({56, kThumbTop, 69, kThumbTop + 13}, colourOf(kChannel)));
    EXPECT_TRUE(shot->all({255, kThumbTop, 268, kThumbTop + 13}, colourOf(kThumb)));

    f.slider.EnableWindow(FALSE);
    f.slider.Invalidate();
    shot = f.shot();
    EXPECT_EQ(shot->at(30, 2), colourOf(kChannelDisabled));
    EXPECT_EQ(shot->at(260, middle), colourOf(kThumb));
}

TEST(BitmapSlider, DragFollowsTheLeftButtonAloneAndStopsAtTheChannelEnds) {
    SliderFixture f;
    f.press(62); // the thumb's centre: a green pixel of the hit mask
    EXPECT_EQ(CWnd::GetCapture(), f.slider.m_hWnd);
    f.move(92);
    EXPECT_EQ(f.left(), 86);
    EXPECT_FLOAT_EQ(f.slider.GetPos(), static_cast<float>(83.0 * 19 / 252) + 1.0f);

    f.move(122, MK_LBUTTON | MK_RBUTTON);
    f.move(122, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(f.left(), 86);

    f.move(-100);
    EXPECT_EQ(f.centre(), 9);
    EXPECT_FLOAT_EQ(f.slider.GetPos(), 1.0f);
    f.move(1000);
    EXPECT_EQ(f.slider.GetThumbRect().right, 267); // odd width: the centre one short of 261
    EXPECT_EQ(f.commands(), 0u);                   // moves alone send no WM_COMMAND

    auto info = f.parent.only(UWM_CONTROL_INFO);
    ASSERT_EQ(info.size(), 5u);
    EXPECT_TRUE(reinterpret_cast<const std::wstring*>(info[0].wParam)->empty());
    EXPECT_EQ(info[0].lParam, reinterpret_cast<LPARAM>(f.slider.m_hWnd));

    f.release(1000);
    EXPECT_EQ(f.commands(), 1u);
    EXPECT_NE(CWnd::GetCapture(), f.slider.m_hWnd);
    f.move(100); // no capture any more: no drag
    EXPECT_EQ(f.slider.GetThumbRect().right, 267);
}

TEST(BitmapSlider, AnEvenThumbReachesExactlyTheEndsOfTheRange) {
    SliderFixture f(true);
    f.press(f.centre());
    f.move(-50);
    EXPECT_EQ(f.centre(), 9);
    EXPECT_EQ(f.slider.GetPos(), 1.0f);
    f.move(500);
    EXPECT_EQ(f.centre(), 261);
    EXPECT_EQ(f.slider.GetPos(), 20.0f);
    f.release(500);
}

TEST(BitmapSlider, AHeldPressPagesTowardThePressPointOnEachTick) {
    SliderFixture f;
    f.press(162); // 100 pixels right of the centre, off the thumb
    EXPECT_NE(CWnd::GetCapture(), f.slider.m_hWnd);
    ASSERT_TRUE(pumpUntil([&] { return f.slider.leftAtTick.size() >= 6; }, 3000));
    // The timer has stopped: no more ticks.
    EXPECT_FALSE(pumpUntil([&] { return f.slider.leftAtTick.size() > 6; }, 350));
    EXPECT_EQ(f.slider.leftAtTick, (std::vector<LONG>{76, 96, 116, 136, 156, 156}));
    EXPECT_EQ(f.centre(), 162);
    f.release(162); // stepped already: no further step
    EXPECT_EQ(f.centre(), 162);
    EXPECT_EQ(f.commands(), 1u);

    // Toward the left end: the last step lands the centre on the channel start.
    f.slider.leftAtTick.clear();
    f.press(0);
    ASSERT_TRUE(pumpUntil([&] { return f.left() == 3; }, 3000));
    size_t ticks = f.slider.leftAtTick.size();
    EXPECT_FALSE(pumpUntil([&] { return f.slider.leftAtTick.size() > ticks; }, 250));
    EXPECT_FLOAT_EQ(f.slider.GetPos(), 1.0f);
    f.release(0);
}

TEST(BitmapSlider, AReleaseBeforeTheFirstTickStepsOnceAfterNotifying) {
    SliderFixture f;
    std::vector<float> valuesSeen;
    f.parent.onCommand = [&](WPARAM, LPARAM) { valuesSeen.push_back(f.slider.GetPos()); };
    f.press(162);
    f.release(162);
    EXPECT_EQ(valuesSeen, std::vector<float>{5.0f}); // the value from before the step
    EXPECT_EQ(f.left(), 76);
    EXPECT_FALSE(pumpUntil([&] { return !f.slider.leftAtTick.empty(); }, 250));

    // A press on the thumb released without a drag steps toward the press point too.
    f.press(80);
    f.release(80);
    EXPECT_EQ(f.centre(), 80);
    // A release that follows no press is still reported.
    f.release(10);
    EXPECT_EQ(valuesSeen.size(), 3u);
    // A double click makes one more step toward the last press.
    f.slider.SetPos(1.0f);
    f.slider.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(80, kThumbTop + 6));
    EXPECT_EQ(f.left(), 3 + 20);
}

TEST(BitmapSlider, RealPointerDragsThumbAndPagesTheChannel) {
    SliderFixture f;
    HWND hwnd = f.slider.m_hWnd;
    int y = kThumbTop + 6;
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 62, y));
    EXPECT_EQ(CWnd::GetCapture(), hwnd);
    realMouse(0, onScreen(hwnd, 100, y + 40)); // off the slider: the capture keeps the drag
    EXPECT_EQ(f.centre(), 100);
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 100, y + 40));
    EXPECT_EQ(f.commands(), 1u);
    EXPECT_NE(CWnd::GetCapture(), hwnd);

    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 200, y));
    ASSERT_TRUE(pumpUntil([&] { return f.centre() == 200; }, 3000));
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 200, y));
    EXPECT_EQ(f.commands(), 2u);
    // Five steps of 20 pixels; a tick that came before the release found the press reached.
    auto ticks = f.slider.leftAtTick;
    ASSERT_GE(ticks.size(), 5u);
    EXPECT_EQ(std::vector<LONG>(ticks.begin(), ticks.begin() + 5),
              (std::vector<LONG>{114, 134, 154, 174, 194}));
    for (size_t i = 5; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i], 194);
    realMouse(0, onScreen(hwnd, 500, 400));
}

TEST(BitmapSlider, AnEmptyRangeOrChannelSpanNeitherDividesByZeroNorLosesTheValue) {
    SliderFixture f;
    f.slider.SetRange(3.0f, 3.0f);
    f.slider.SetPos(3.0f);
    EXPECT_EQ(f.centre(), 9);
    EXPECT_EQ(f.slider.GetPos(), 3.0f);
    f.press(f.centre());
    f.move(200);
    EXPECT_EQ(f.slider.GetPos(), 3.0f);
    f.release(200);

    f.slider.SetRange(1.0f, 20.0f);
    f.slider.SetChannelSpan(50, 50);
    f.slider.SetPos(10.0f);
    EXPECT_EQ(f.centre(), 50);
    f.press(200);
    f.release(200);
    EXPECT_FALSE(std::isnan(f.slider.GetPos()));
    EXPECT_EQ(f.slider.GetPos(), 1.0f);
}

TEST(BitmapSlider, PositionChangesAndRepaintsLeakNothing) {
    long before = GdiLiveObjects();
    {
        SliderFixture f;
        f.slider.UpdateWindow();
        long painted = GdiLiveObjects();
        for (int i = 0; i < 4000; ++i) {
            f.slider.SetPos(static_cast<float>(1 + i % 20));
            if (i % 500 == 0) f.slider.EnableWindow(i % 1000 != 0);
            f.slider.UpdateWindow();
        }
        EXPECT_EQ(GdiLiveObjects(), painted);
    }
    EXPECT_EQ(GdiLiveObjects(), before);
    CBitmap later;
    EXPECT_TRUE(LoadSkinImage(later, GetModuleHandleW(nullptr), kChannelImage));
}

// The thumb's left edge truncates the travel: 3 and 8 lie at 26.53 and 92.84 pixels.
TEST(BitmapSlider, SetPosTruncatesTheThumbsTravel) {
    SliderFixture f;
    for (auto [value, left] :
         {std::pair{3.0f, 29}, std::pair{8.0f, 95}, std::pair{5.0f, 56}, std::pair{1.0f, 3}}) {
        f.slider.SetPos(value);
        EXPECT_EQ(f.left(), left) << value;
    }
}

// The thumb's ring is outside the green of its hit mask: a press there pages, as a press on
// the channel does, and the pointer drags nothing.
TEST(BitmapSlider, APressOnTheThumbsRingPagesInsteadOfDragging) {
    SliderFixture f;
    HWND hwnd = f.slider.m_hWnd;
    int y = kThumbTop + 6;
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 56, y)); // the ring's left column
    EXPECT_NE(CWnd::GetCapture(), hwnd);
    realMouse(0, onScreen(hwnd, 150, y));
    EXPECT_LE(f.centre(), 62); // not dragged toward the pointer
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 150, y));
    EXPECT_EQ(f.centre(), 56); // one page step toward the press, which it reaches
    realMouse(0, onScreen(hwnd, 500, 400));
}

// A press elsewhere released over a slider that was never pressed is reported but moves
// nothing (before any press the press point is x = 0).
TEST(BitmapSlider, AStrayReleaseOverAFreshSliderMovesNothing) {
    SliderFixture f;
    HWND hwnd = f.slider.m_hWnd;
    int y = kThumbTop + 6;
    realMouse(MOUSEEVENTF_LEFTDOWN, onScreen(hwnd, 150, -25)); // on the parent, above
    realMouse(0, onScreen(hwnd, 150, y));
    realMouse(MOUSEEVENTF_LEFTUP, onScreen(hwnd, 150, y));
    EXPECT_EQ(f.left(), 56);
    EXPECT_EQ(f.commands(), 1u);
    realMouse(0, onScreen(hwnd, 500, 400));
}
