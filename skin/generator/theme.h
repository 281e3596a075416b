// Colours and window geometry shared by every image family, so that panels drawn into the
// page backgrounds line up with the controls the program places over them.
#pragma once

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

// Where things sit in the 568 x 344 client area (left, top, right, bottom).
namespace layout {

inline constexpr int pageWidth = 568;
inline constexpr int pageHeight = 344;
inline constexpr int titleHeight = 24;
inline constexpr double cornerRadius = 9;

// The two settings cards of each page and the strip of buttons at the bottom.
inline constexpr Box leftCard{3, 64, 245, 280};
inline constexpr Box rightCard{253, 64, 564, 280};
inline constexpr int headerRuleY = 60;
inline constexpr int bottomBarTop = 286;
inline constexpr Box profileTray{205, 306, 370, 340};
inline constexpr Box commitTray{395, 306, 558, 340};

// Heading label rectangles, underlined in the accent colour.
inline constexpr Box hardwareHeading{9, 41, 121, 55};
inline constexpr Box windowsHeading{259, 41, 375, 56};
inline constexpr Box aboutHeading{13, 40, 52, 57};
inline constexpr Box linksHeading{329, 40, 364, 57};

// Top-left corners of the controls whose images are composed over the backgrounds.
struct Point {
    int x, y;
};
inline constexpr Point minimiseButton{502, 6};
inline constexpr Point closeButton{529, 6};
inline constexpr Point pushButton{400, 311};
inline constexpr Point optionsTab{494, 34};
inline constexpr Point mainTab{507, 34};
inline constexpr Point rateButton{17, 153};
inline constexpr Point accelerationButton{272, 152};
inline constexpr Point onePageButton{273, 242};
inline constexpr Point swapOnButton{62, 220};
inline constexpr Point swapOffButton{135, 220};
inline constexpr Point sensitivitySlider{273, 90};
inline constexpr Point wheelSlider{273, 216};
inline constexpr Point cpiList{51, 91};
inline constexpr Point languageList{38, 195};
inline constexpr Point productLink{309, 117};
inline constexpr Point downloadsLink{290, 151};
inline constexpr Point supportLink{281, 189};

// The slider thumb's centre travels between these x positions of the channel image.
inline constexpr int channelStart = 9;
inline constexpr int channelEnd = 261;
inline constexpr double thumbCentreY = 6.5;

} // namespace layout
