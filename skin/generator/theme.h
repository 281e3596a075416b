// Colours and window geometry shared by every image family, so that panels drawn into the
// page backgrounds line up with the controls the program places over them.
#pragma once

#include "app/window_layout.h"
#include "canvas.h"
#include "shapes.h"

namespace theme {

inline constexpr Rgb accent{236, 115, 35};
inline constexpr Rgb accentDeep{178, 76, 18};
inline constexpr Rgb accentLight{255, 160, 88};
inline constexpr Rgb windowTop{35, 36, 40};
inline constexpr Rgb windowBottom{24, 25, 28};
inline constexpr Rgb windowEdge{74, 76, 83};
inline constexpr Rgb titleTop{46, 47, 52};
inline constexpr Rgb titleBottom{34, 35, 39};
inline constexpr Rgb cardTop{40, 41, 46};
inline constexpr Rgb cardBottom{31, 32, 36};
inline constexpr Rgb cardEdge{60, 62, 68};
inline constexpr Rgb cardHighlight{78, 80, 87};
inline constexpr Rgb groove{17, 18, 20};
inline constexpr Rgb faceTop{64, 66, 72};
inline constexpr Rgb faceBottom{45, 46, 51};
inline constexpr Rgb faceEdge{88, 90, 97};
inline constexpr Rgb shadow{10, 10, 12};
inline constexpr Rgb glyph{178, 180, 186};
inline constexpr Rgb dimGlyph{112, 114, 121};
inline constexpr Rgb white{250, 250, 250};

} // namespace theme

// Where things sit in the 568 x 344 client area (left, top, right, bottom). The controls and
// the labels are where the program's own layout table puts them; the cards, trays and rules
// around them are the art's.
namespace layout {

inline constexpr int pageWidth = kPageWidth;
inline constexpr int pageHeight = kPageHeight;
inline constexpr int titleHeight = 24;
inline constexpr double cornerRadius = 9;

// The two settings cards of each page and the strip of buttons at the bottom.
inline constexpr Box leftCard{3, 64, 245, 280};
inline constexpr Box rightCard{253, 64, 564, 280};
inline constexpr int headerRuleY = 60;
inline constexpr int bottomBarTop = 286;
inline constexpr Box profileTray{205, 308, 370, 339};
inline constexpr Box commitTray{395, 308, 558, 339};

// A label rectangle of the program's label table.
constexpr Box labelBox(int index) {
    const Rect& r = kLabels[index].rect;
    return Box{double(r.left), double(r.top), double(r.right), double(r.bottom)};
}

// Heading label rectangles, underlined in the accent colour.
inline constexpr Box hardwareHeading = labelBox(0);
inline constexpr Box windowsHeading = labelBox(1);
inline constexpr Box linksHeading = labelBox(14);
inline constexpr Box aboutHeading = labelBox(15);

// Top-left corners of the controls whose images are composed over the backgrounds.
struct Point {
    int x, y;
};

constexpr Point controlAt(int controlId) {
    for (const Control& control : kControls)
        if (control.id == controlId) return {control.rect.left, control.rect.top};
    return {0, 0};
}

inline constexpr Point minimiseButton = controlAt(id::kMinimise);
inline constexpr Point closeButton = controlAt(id::kClose);
inline constexpr Point pushButton = controlAt(id::kOk);
inline constexpr Point optionsTab = controlAt(id::kOptionsTab);
inline constexpr Point mainTab = controlAt(id::kMainTab);
inline constexpr Point rateButton = controlAt(id::kRate125);
inline constexpr Point accelerationButton = controlAt(id::kAccelerationOn);
inline constexpr Point onePageButton = controlAt(id::kOnePage);
inline constexpr Point swapOnButton = controlAt(id::kSwapOn);
inline constexpr Point swapOffButton = controlAt(id::kSwapOff);
inline constexpr Point sensitivitySlider = controlAt(id::kSensitivity);
inline constexpr Point wheelSlider = controlAt(id::kWheel);
inline constexpr Point cpiList = controlAt(id::kCpi1List);
inline constexpr Point languageList = controlAt(id::kLanguageList);
inline constexpr Point productLink = controlAt(id::kProductLink);
inline constexpr Point downloadsLink = controlAt(id::kDownloadsLink);
inline constexpr Point supportLink = controlAt(id::kSupportLink);

// The slider thumb's centre travels between these x positions of the channel image.
inline constexpr int channelStart = kSliderChannelStart;
inline constexpr int channelEnd = kSliderChannelEnd;
inline constexpr double thumbCentreY = 6.5;

} // namespace layout
