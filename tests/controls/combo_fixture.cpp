#include "tests/controls/combo_fixture.h"
#include "framework/dc_scope.h"
#include "tests/support/pump.h"
#include "tests/support/real_mouse.h"

COLORREF colourOf(const combo_images::Image& image) {
    return RGB(image.colour.red, image.colour.green, image.colour.blue);
}

std::vector<COLORREF> expectedCaption(const wchar_t* text, COLORREF background, COLORREF colour,
                                      int width, int height) {
    Canvas canvas(width, height);
    canvas.fill(background);
    CFont font;
    font.CreateSkinFont(CBitmapComboBox::kFontHeight, 0, 0, 0, 0, CBitmapComboBox::kFontFace);
    ScopedSelection selected(canvas.dc(), font.GetSafeHandle());
    ScopedTextStyle style(canvas.dc(), colour, TRANSPARENT);
    RECT rect = {5, 2, width, height};
    ::DrawTextW(canvas.dc(), text, -1, &rect, DT_SINGLELINE);
    return canvas.pixels();
}

ComboFixture::ComboFixture() {
    moveTo(POINT{5, 900});
}

ComboFixture::~ComboFixture() {
    if (CWnd::GetCapture()) ::ReleaseCapture();
    // Park the pointer away from every test window.
    moveTo(POINT{5, 900});
}

void ComboFixture::createBox(std::initializer_list<const wchar_t*> items, int dropHeight) {
    RECT rect = {kBoxX, kBoxY, kBoxX + 65, kBoxY + 14};
    ASSERT_TRUE(box.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, kBoxId));
    box.SetDropHeight(dropHeight);
    HMODULE module = GetModuleHandleW(nullptr);
    ASSERT_TRUE(box.SetBitmaps(combo_images::kNormal.id, combo_images::kImage2.id,
                               combo_images::kActive.id, -1, -1, module));
    box.SetColors(kListBackground, kText, kBorder, RGB(247, 247, 247), RGB(1, 2, 3), kText);
    for (const wchar_t* item : items)
        ASSERT_EQ(box.AddString(item, 0), 1);
    pumpPending();
}

POINT ComboFixture::onBox(int x, int y) const {
    POINT point = {x, y};
    box.ClientToScreen(&point);
    return point;
}

POINT ComboFixture::onList(int x, int y) const {
    POINT point = {x, y};
    box.GetList()->ClientToScreen(&point);
    return point;
}

void ComboFixture::moveTo(POINT screen) {
    realMouse(0, screen);
}

void ComboFixture::press(POINT screen) {
    realMouse(MOUSEEVENTF_LEFTDOWN, screen);
}

void ComboFixture::release(POINT screen) {
    realMouse(MOUSEEVENTF_LEFTUP, screen);
}

void ComboFixture::click(POINT screen) {
    press(screen);
    release(screen);
}

void ComboFixture::wheel(POINT screen, int delta) {
    realMouse(MOUSEEVENTF_WHEEL, screen, delta);
}

bool ComboFixture::waitForHover(bool hover) {
    return pumpUntil([&] { return box.IsHover() == hover; }, 2000);
}

bool ComboFixture::listOpen() const {
    return box.GetList() && box.GetList()->IsWindowVisible();
}

std::vector<RecordedMessage> ComboFixture::selChanges() const {
    return parent.only(UWM_COMBO_SELCHANGE);
}
