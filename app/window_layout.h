// The main window's layout as data: control and timer ids, the 26 controls in creation order,
// the slider and list settings, and the 18 painted labels in painting order. The window walks
// these tables; the skin generator and the controls preview read them too, so this header
// holds no Windows types.
#pragma once

namespace layout {

struct Rect {
    int left, top, right, bottom;
};

struct Margins {
    int left, top, right, bottom;
};

inline constexpr int kNone = -1; // no image, no selection

// Control ids.
namespace id {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kMinimise = 1001;
inline constexpr int kClose = 1002;
inline constexpr int kCpi1List = 1003;
inline constexpr int kCpi2List = 1004;
inline constexpr int kSensitivity = 1012;
inline constexpr int kApply = 1026;
inline constexpr int kProfile1 = 1027;
inline constexpr int kProfile2 = 1028;
inline constexpr int kProfile3 = 1029;
inline constexpr int kRate125 = 1030;
inline constexpr int kRate500 = 1031;
inline constexpr int kRate1000 = 1032;
inline constexpr int kSwapOn = 1033;
inline constexpr int kSwapOff = 1034;
inline constexpr int kWheel = 1035;
inline constexpr int kAccelerationOn = 1042;
inline constexpr int kAccelerationOff = 1043;
inline constexpr int kOnePage = 1044;
inline constexpr int kMainTab = 1047;
inline constexpr int kOptionsTab = 1048;
inline constexpr int kLanguageList = 247;
inline constexpr int kProductLink = 252;
inline constexpr int kDownloadsLink = 253;
inline constexpr int kSupportLink = 254;
} // namespace id

// Timer ids of the main window.
namespace timer {
inline constexpr int kDeviceWatch = 1046;
inline constexpr int kReleaseButtons = 1049;
inline constexpr int kSensitivityDetent = 1050;
inline constexpr unsigned kDeviceWatchMs = 1000;
} // namespace timer

enum class Kind { HoverButton, Slider, List };
enum class Page { Main, Options, Both };

// Caption looks (colours normal, down, hover, disabled):
//   Bold:   caption, caption, accent, caption; bold
//   Option: dim, caption, caption, caption; normal weight (OptionBold: bold)
//   Plain:  caption for all four; normal weight
//   Link:   caption, caption, accent, caption; normal weight, underlined
enum class TextStyle { None, Bold, Option, OptionBold, Plain, Link };

struct Control {
    Kind kind;
    int id;
    Rect rect;
    int images[5];          // hover button: normal, down, hover; list: normal, image2, active, 4, 5
    const wchar_t* caption; // null: none
    TextStyle style;
    int textHeight;
    bool hasMargins;
    Margins margins;
    unsigned textFormat; // 0: none given
    Page page;           // the page that shows it; the Main page is shown at start
};

inline constexpr Margins kNoMargins = {0, 0, 0, 0};

// clang-format off
inline constexpr Control kControls[] = {
    // kind               id                    rectangle               images                          caption                                   style                height margins?  margins          format page
    {Kind::HoverButton, id::kMainTab,          {507, 34, 569, 60},   {241, 242, 242, kNone, kNone}, L"Main",                                  TextStyle::Bold,       14, true,  {11, 0, 0, 0},  0,  Page::Options},
    {Kind::HoverButton, id::kOptionsTab,       {494, 34, 569, 60},   {244, 245, 245, kNone, kNone}, L"Options",                               TextStyle::Bold,       14, true,  {1, 0, 0, 0},   0,  Page::Main},
    {Kind::HoverButton, id::kMinimise,         {502, 6, 525, 16},    {151, 152, 153, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kClose,            {529, 6, 552, 16},    {154, 155, 156, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kOk,               {400, 311, 449, 335}, {157, 158, 159, kNone, kNone}, L"OK",                                    TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kCancel,           {452, 311, 501, 335}, {157, 158, 159, kNone, kNone}, L"CANCEL",                                TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kApply,            {504, 311, 553, 335}, {157, 158, 159, kNone, kNone}, L"APPLY",                                 TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kProfile1,         {211, 311, 260, 335}, {157, 158, 159, kNone, kNone}, L"1",                                     TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kProfile2,         {263, 311, 312, 335}, {157, 158, 159, kNone, kNone}, L"2",                                     TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kProfile3,         {315, 311, 364, 335}, {157, 158, 159, kNone, kNone}, L"3",                                     TextStyle::Bold,       11, false, kNoMargins,     0,  Page::Both},
    {Kind::HoverButton, id::kRate125,          {17, 153, 88, 166},   {224, 225, 226, kNone, kNone}, L"125Hz",                                 TextStyle::Option,     14, true,  {7, 0, 0, 0},   0,  Page::Main},
    {Kind::HoverButton, id::kRate500,          {72, 153, 141, 166},  {224, 225, 226, kNone, kNone}, L"500Hz",                                 TextStyle::Option,     14, true,  {9, 0, 0, 0},   0,  Page::Main},
    {Kind::HoverButton, id::kRate1000,         {128, 153, 195, 166}, {224, 225, 226, kNone, kNone}, L"1000Hz",                                TextStyle::Option,     14, true,  {12, 0, 0, 0},  0,  Page::Main},
    {Kind::HoverButton, id::kOnePage,          {273, 242, 340, 257}, {193, 195, 196, kNone, kNone}, L"One Page",                              TextStyle::Plain,      14, true,  {-4, 0, 0, 0},  0,  Page::Main},
    {Kind::HoverButton, id::kAccelerationOn,   {272, 152, 339, 165}, {230, 231, 232, kNone, kNone}, L"Enable",                                TextStyle::Option,     14, true,  {4, -1, 0, 0},  0,  Page::Main},
    {Kind::HoverButton, id::kAccelerationOff,  {346, 152, 413, 155}, {230, 231, 232, kNone, kNone}, L"Disable",                               TextStyle::Option,     14, true,  {8, -1, 0, 0},  0,  Page::Main},
    {Kind::HoverButton, id::kSwapOn,           {62, 220, 129, 233},  {227, 228, 229, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Main},
    {Kind::HoverButton, id::kSwapOff,          {135, 220, 171, 233}, {227, 228, 229, kNone, kNone}, nullptr,                                  TextStyle::OptionBold, 12, false, kNoMargins,     0,  Page::Main},
    {Kind::Slider,      id::kSensitivity,      {273, 90, 535, 93},   {kNone, kNone, kNone, kNone, kNone}, nullptr,                            TextStyle::None,       0,  false, kNoMargins,     0,  Page::Main},
    {Kind::Slider,      id::kWheel,            {273, 216, 534, 241}, {kNone, kNone, kNone, kNone, kNone}, nullptr,                            TextStyle::None,       0,  false, kNoMargins,     0,  Page::Main},
    {Kind::HoverButton, id::kProductLink,      {309, 117, 503, 140}, {251, 251, 251, kNone, kNone}, L"Glimmerhaus Pelko Product Information", TextStyle::Link,       14, true,  {0, -1, 0, 0},  0,  Page::Options},
    {Kind::HoverButton, id::kDownloadsLink,    {290, 151, 454, 173}, {251, 251, 251, kNone, kNone}, L"Glimmerhaus Pelko Downloads",           TextStyle::Link,       14, true,  {0, 0, 0, 0},   0,  Page::Options},
    {Kind::HoverButton, id::kSupportLink,      {281, 189, 422, 212}, {251, 251, 251, kNone, kNone}, L"Glimmerhaus Pelko Support",             TextStyle::Link,       14, true,  {0, 0, 0, 0},   15, Page::Options},
    {Kind::List,        id::kCpi1List,         {51, 91, 116, 105},   {177, 179, 179, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Main},
    {Kind::List,        id::kCpi2List,         {166, 91, 231, 105},  {177, 179, 179, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Main},
    {Kind::List,        id::kLanguageList,     {38, 195, 214, 211},  {249, 250, 248, kNone, kNone}, nullptr,                                  TextStyle::None,       0,  false, kNoMargins,     0,  Page::Options},
};
// clang-format on

inline constexpr int kControlCount = sizeof(kControls) / sizeof(kControls[0]);

// Position of a control of one kind among the controls of that kind, in table order; -1 when
// the table has no such control.
constexpr int indexOfKind(Kind kind, int controlId) {
    int index = 0;
    for (const Control& control : kControls) {
        if (control.kind != kind) continue;
        if (control.id == controlId) return index;
        ++index;
    }
    return -1;
}

constexpr int countOfKind(Kind kind) {
    int count = 0;
    for (const Control& control : kControls)
        count += control.kind == kind ? 1 : 0;
    return count;
}

inline constexpr int kButtonCount = countOfKind(Kind::HoverButton);
inline constexpr int kSliderCount = countOfKind(Kind::Slider);
inline constexpr int kListCount = countOfKind(Kind::List);
static_assert(kControlCount == 26 && kButtonCount == 21 && kSliderCount == 2 && kListCount == 3);

// Settings every slider gets.
inline constexpr int kSliderThumbTop = 0;
inline constexpr unsigned kSliderHitColour = 0x00FF00;
inline constexpr int kSliderChannelStart = 9;
inline constexpr int kSliderChannelEnd = 261;
inline constexpr int kSliderPageStep = 20;

struct Slider {
    int id;
    float minimum, maximum;
    int channel, channelDisabled, spare, thumb, thumbAlpha, thumbHitMask;
    float initial;
};

inline constexpr Slider kSliders[] = {
    {id::kSensitivity, 1.0f, 20.0f, 234, 233, 238, 214, 239, 237, 5.0f},
    {id::kWheel, 1.0f, 100.0f, 255, 257, 256, 214, 239, 237, 50.0f},
};

inline constexpr const wchar_t* kCpiEntries[] = {L"400", L"800", L"1600", L"3200", L""};
inline constexpr const wchar_t* kLanguageEntries[] = {L"English", L""};

struct List {
    int id;
    int dropHeight;
    const wchar_t* const* entries;
    int entryCount;
    int selectedAtStart; // kNone: no selection
};

inline constexpr List kLists[] = {
    {id::kCpi1List, 67, kCpiEntries, 5, kNone},
    {id::kCpi2List, 67, kCpiEntries, 5, kNone},
    {id::kLanguageList, 16, kLanguageEntries, 2, 0},
};

// The painted labels.
enum class Font { Base, Heading, Label, SmallBold };

struct FontRecipe {
    int height;
    bool bold;
};

// Indexed by Font.
inline constexpr FontRecipe kFonts[] = {{15, false}, {14, true}, {14, false}, {12, true}};

struct Label {
    const wchar_t* text; // what the page that shows it fills in
    Page page;           // Both: every page
    Rect rect;
    Font font;
};

// Painting order; Label below indexes this table.
// clang-format off
inline constexpr Label kLabels[] = {
    {L"Hardware Settings",            Page::Main,    {9, 41, 121, 55},     Font::Heading},
    {L"Windows Settings",             Page::Main,    {259, 41, 375, 56},   Font::Heading},
    {L"Pelko Resolution Settings",    Page::Main,    {9, 0, 141, 153},     Font::Label},
    {L"CPI 1",                        Page::Main,    {12, 92, 45, 106},    Font::SmallBold},
    {L"CPI 2",                        Page::Main,    {127, 91, 160, 108},  Font::SmallBold},
    {L"Pelko Report Rate",            Page::Main,    {12, 137, 106, 152},  Font::Label},
    {L"Pelko Left/Right Button Swap", Page::Main,    {6, 195, 161, 212},   Font::Label},
    {L"Windows Mouse Sensitivity",    Page::Main,    {267, 68, 408, 84},   Font::Label},
    {L"Windows Mouse Acceleration",   Page::Main,    {266, 136, 420, 152}, Font::Label},
    {L"Windows Scroll Wheel Speed",   Page::Main,    {271, 193, 418, 214}, Font::Label},
    {L"Profiles",                     Page::Both,    {207, 292, 251, 309}, Font::Label},
    {L"Software Version",             Page::Options, {17, 69, 115, 82},    Font::Heading},
    {L"Firmware Version",             Page::Options, {19, 120, 119, 133},  Font::Heading},
    {L"Language",                     Page::Options, {10, 169, 73, 185},   Font::Heading},
    {L"Links",                        Page::Options, {329, 40, 364, 57},   Font::Heading},
    {L"About",                        Page::Options, {13, 40, 52, 57},     Font::Heading},
    {nullptr,                         Page::Options, {-29, 90, 106, 106},  Font::Label}, // software version value
    {nullptr,                         Page::Options, {9, 140, 112, 156},   Font::Label}, // firmware version value
};
// clang-format on

inline constexpr int kLabelCount = sizeof(kLabels) / sizeof(kLabels[0]);
static_assert(kLabelCount == 18);

enum LabelIndex {
    kProfilesLabel = 10,
    kSoftwareVersionValue = 16,
    kFirmwareVersionValue = 17,
};

// The program's own version, shown on the Options page.
inline constexpr int kSoftwareVersion[3] = {1, 0, 7};

inline constexpr int kPageWidth = 568;
inline constexpr int kPageHeight = 344;

} // namespace layout
