// The images compiled into the controls' test program: ids, sizes and exact pixels. Shared by
// the host-side generator that writes the BMP files and by the tests that check pixels.
#pragma once
#include <cstdint>

namespace test_images {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kPatternColour{200, 40, 10};
constexpr Rgb kBlendSource{200, 100, 30};
constexpr Rgb kButtonNormal{40, 40, 40};
constexpr Rgb kButtonDown{236, 115, 35};
constexpr Rgb kButtonHover{60, 90, 150};
constexpr Rgb kButtonDisabled{110, 110, 110};
constexpr Rgb kChannel{50, 50, 60};
constexpr Rgb kChannelDisabled{100, 100, 100};
constexpr Rgb kThumb{236, 115, 35};

enum Id : int {
    kAllMagenta = 101,  // 8 × 8, every pixel magenta
    kHalfMagenta = 102, // 8 × 8, columns 0-3 magenta, 4-7 kPatternColour
    kGreenSquare = 103, // 8 × 8, green in x, y = 2..5, black elsewhere
    kAlphaFull = 104,   // 8 × 8, blue byte 255
    kAlphaNone = 105,   // 8 × 8, blue byte 0
    kAlphaHalf = 106,   // 8 × 8, blue byte 128
    kBlendImage = 107,  // 8 × 8, kBlendSource

    kButtonA = 201, // 60 × 24, kButtonNormal with a magenta 2 × 2 top-left corner
    kButtonB = 202, // 60 × 24, kButtonDown
    kButtonC = 203, // 60 × 24, kButtonHover
    kButtonD = 204, // 60 × 24, kButtonDisabled

    kChannelImage = 301,         // 270 × 30, kChannel with a magenta column 0
    kChannelDisabledImage = 302, // 270 × 30, kChannelDisabled with a magenta column 0
    kThumbOdd = 303,             // 13 × 13, kThumb
    kThumbOddAlpha = 304,        // 13 × 13, blue 255
    kThumbOddHit = 305,          // 13 × 13, green inside a 1-pixel black ring
    kThumbEven = 306,            // 12 × 12, kThumb
    kThumbEvenAlpha = 307,       // 12 × 12, blue 255
    kThumbEvenHit = 308,         // 12 × 12, green inside a 1-pixel black ring
};

struct Image {
    int id;
    int width, height;
};

constexpr Image kImages[] = {
    {kAllMagenta, 8, 8},
    {kHalfMagenta, 8, 8},
    {kGreenSquare, 8, 8},
    {kAlphaFull, 8, 8},
    {kAlphaNone, 8, 8},
    {kAlphaHalf, 8, 8},
    {kBlendImage, 8, 8},
    {kButtonA, 60, 24},
    {kButtonB, 60, 24},
    {kButtonC, 60, 24},
    {kButtonD, 60, 24},
    {kChannelImage, 270, 30},
    {kChannelDisabledImage, 270, 30},
    {kThumbOdd, 13, 13},
    {kThumbOddAlpha, 13, 13},
    {kThumbOddHit, 13, 13},
    {kThumbEven, 12, 12},
    {kThumbEvenAlpha, 12, 12},
    {kThumbEvenHit, 12, 12},
};

constexpr bool onRing(int x, int y, int w, int h) {
    return x == 0 || y == 0 || x == w - 1 || y == h - 1;
}

// The colour of pixel (x, y), counted from the top-left corner, of an image.
constexpr Rgb pixelOf(const Image& image, int x, int y) {
    switch (image.id) {
    case kAllMagenta:
        return kMagenta;
    case kHalfMagenta:
        return x < 4 ? kMagenta : kPatternColour;
    case kGreenSquare:
        return (x >= 2 && x <= 5 && y >= 2 && y <= 5) ? kGreen : kBlack;
    case kAlphaFull:
        return Rgb{0, 0, 255};
    case kAlphaNone:
        return kBlack;
    case kAlphaHalf:
        return Rgb{0, 0, 128};
    case kBlendImage:
        return kBlendSource;
    case kButtonA:
        return (x < 2 && y < 2) ? kMagenta : kButtonNormal;
    case kButtonB:
        return kButtonDown;
    case kButtonC:
        return kButtonHover;
    case kButtonD:
        return kButtonDisabled;
    case kChannelImage:
        return x == 0 ? kMagenta : kChannel;
    case kChannelDisabledImage:
        return x == 0 ? kMagenta : kChannelDisabled;
    case kThumbOdd:
    case kThumbEven:
        return kThumb;
    case kThumbOddAlpha:
    case kThumbEvenAlpha:
        return Rgb{0, 0, 255};
    case kThumbOddHit:
    case kThumbEvenHit:
        return onRing(x, y, image.width, image.height) ? kBlack : kGreen;
    }
    return kBlack;
}

} // namespace test_images
