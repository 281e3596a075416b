// A combo box on a recording parent, driven by real mouse input, with exact pixel read-back.
#pragma once
#include "controls/bitmap_combo_box.h"
#include "controls/control_messages.h"
#include "tests/controls/combo_images.h"
#include "tests/support/pixels.h"
#include "tests/support/recording_parent.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

COLORREF colourOf(const combo_images::Image& image);

// What the box's caption looks like: text drawn over a solid background exactly as a caption.
std::vector<COLORREF> expectedCaption(const wchar_t* text, COLORREF background, COLORREF colour,
                                      int width, int height);

class ComboFixture : public ::testing::Test {
  public:
    static constexpr UINT kBoxId = 1003;
    static constexpr int kBoxX = 51, kBoxY = 91;
    static constexpr COLORREF kListBackground = RGB(20, 22, 26);
    static constexpr COLORREF kText = RGB(255, 255, 255);
    static constexpr COLORREF kBorder = RGB(236, 115, 35);

  protected:
    ComboFixture();
    ~ComboFixture() override;

    // Creates the box as the main window does, with the given items.
    void createBox(std::initializer_list<const wchar_t*> items, int dropHeight = 67);

    // Screen points of a point in the box's or the list's client area.
    POINT onBox(int x, int y) const;
    POINT onList(int x, int y) const;
    // Real mouse input at a screen point; each call pumps until the input is handled.
    void moveTo(POINT screen);
    void press(POINT screen);
    void release(POINT screen);
    void click(POINT screen);
    void wheel(POINT screen, int delta);

    // Waits (pumping) until the box's hover state is as asked.
    bool waitForHover(bool hover);
    bool listOpen() const;
    std::vector<RecordedMessage> selChanges() const;

    RecordingParent parent{RecordingParent::Shown::Now, RECT{100, 100, 500, 400}};
    CBitmapComboBox box;
};
