#include "app/button_style.h"

void styleButton(CHoverButtonV2& button, const layout::Control& row, const CaptionColours& c) {
    using layout::TextStyle;
    const int height = row.textHeight;
    switch (row.style) {
    case TextStyle::None:
        return;
    case TextStyle::Bold:
        button.SetTextStyle(height, L"Arial", c.caption, c.caption, c.accent, c.caption, TRUE,
                            FALSE, FALSE, FALSE);
        return;
    case TextStyle::Option:
    case TextStyle::OptionBold:
        button.SetTextStyle(height, L"Arial", c.dim, c.caption, c.caption, c.caption,
                            row.style == TextStyle::OptionBold, FALSE, FALSE, FALSE);
        return;
    case TextStyle::Plain:
        button.SetTextStyle(height, L"Arial", c.caption, c.caption, c.caption, c.caption, FALSE,
                            FALSE, FALSE, FALSE);
        return;
    case TextStyle::Link:
        button.SetTextStyle(height, L"Arial", c.caption, c.caption, c.accent, c.caption, FALSE,
                            FALSE, TRUE, FALSE);
        return;
    }
}
