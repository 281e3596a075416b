// Ids, sizes and colours of the combo box tests' own images, shared by the host-side image
// generator and the test program.
#pragma once

namespace combo_images {

struct Colour {
    unsigned char red, green, blue;
};

struct Image {
    int id;
    int width, height;
    Colour colour; // every pixel
};

constexpr int kWidth = 67;
constexpr int kHeight = 17;

constexpr Image kNormal = {177, kWidth, kHeight, {40, 44, 52}};
constexpr Image kImage2 = {178, kWidth, kHeight, {90, 20, 20}};
constexpr Image kActive = {179, kWidth, kHeight, {236, 115, 35}};
constexpr Image kImage4 = {180, kWidth, kHeight, {20, 90, 20}};
constexpr Image kImage5 = {181, kWidth, kHeight, {20, 20, 90}};
// A second, wider box image (the language box's shape).
constexpr Image kWide = {249, 171, 16, {30, 30, 30}};

constexpr Image kAll[] = {kNormal, kImage2, kActive, kImage4, kImage5, kWide};

} // namespace combo_images
