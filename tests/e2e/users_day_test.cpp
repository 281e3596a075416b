// A user's day with the built pelkocfg-sim.exe, driven from outside its process by real
// pointer input only: a never-configured mouse, edits of all three profiles, Apply and OK and
// the memory they leave; a restart that shows every profile as it was left and follows the
// mouse's own buttons; Cancel after edits.
//
// The three tests share one memory file and, from the restart on, one running program: each
// needs the one before it.
#include "app/window_layout.h"
#include "sim/demo/sim_panel.h"
#include "sim/sim_firmware.h"
#include "tests/e2e/remote_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace layout::id;

namespace {

constexpr DWORD kChangeTimeoutMs = 3000;
constexpr DWORD kApplyTimeoutMs = 10000;
// The window polls the mouse once a second.
constexpr DWORD kFollowTimeoutMs = 3000;

// Rows of a CPI list.
constexpr int k400 = 0, k800 = 1, k1600 = 2, k3200 = 3;
// CPI codes and report-rate codes as the mouse stores them.
constexpr uint8_t kCode400 = 8, kCode800 = 16, kCode1600 = 32, kCode3200 = 64;
constexpr uint8_t kRateCode125 = 8, kRateCode500 = 2, kRateCode1000 = 1;
constexpr uint8_t kOnePageFlag = 0x80;

// Thumb centres in slider coordinates, at values that a restart, which shows the whole number
// stored, puts on the same pixel. Dragged past the left end the thumb stops on the channel's
// start (speed 1); dragged past the right end the skin's 13-pixel thumb stops one pixel short of
// the channel's end (19.92, stored as 19), and a page step toward a point past the end puts it on
// the end (20). 135 is speed 10.5 exactly; 9 + 28k is wheel 1 + 11k exactly.
constexpr int kLeftStop = layout::kSliderChannelStart;
constexpr int kRightStop = layout::kSliderChannelEnd - 1;
constexpr int kRightOfTheEnd = layout::kSliderChannelEnd + 7;
constexpr int kSpeed10Point5 = 135;
constexpr int wheelAt(int lines) {
    return layout::kSliderChannelStart + (lines - 1) / 11 * 28;
}

// What Windows holds before the first start: the never-configured mouse's profiles show it.
constexpr UINT kWindowsWheelLines = 3;
constexpr int kWindowsAccelerationOn[3] = {6, 10, 1};

// The hardware settings' card: CPI lists, report rate, button swap.
constexpr RECT kHardwareCard = {0, 62, 250, 285};

std::vector<uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string differingAddresses(const std::vector<uint8_t>& actual,
                               const std::vector<uint8_t>& expected) {
    if (actual.size() != expected.size())
        return "the file holds " + std::to_string(actual.size()) + " bytes";
    std::string text;
    for (size_t a = 0; a < actual.size(); ++a) {
        if (actual[a] == expected[a]) continue;
        char line[64];
        std::snprintf(line, sizeof(line), "\n  address %zu: 0x%02X, expected 0x%02X", a,
                      unsigned(actual[a]), unsigned(expected[a]));
        text += line;
    }
    return text.empty() ? "equal" : text;
}

struct ProfileBytes {
    uint8_t cpi1, cpi2, rate, swap, speed, acceleration, wheel;
};

// A profile's record at 28 + 11 * index: the CPI codes of stages 1 to 4 (CPI 1, CPI 2, CPI 1,
// CPI 2), +5 rate, +6 swap, +7 speed, +8 acceleration, +9 wheel; +4 and +10 are carried.
void putProfile(std::vector<uint8_t>& memory, int index, const ProfileBytes& p) {
    const size_t base = 28 + 11 * size_t(index);
    memory[base] = memory[base + 2] = p.cpi1;
    memory[base + 1] = memory[base + 3] = p.cpi2;
    memory[base + 5] = p.rate;
    memory[base + 6] = p.swap;
    memory[base + 7] = p.speed;
    memory[base + 8] = p.acceleration;
    memory[base + 9] = p.wheel;
}

// Alike pixel for pixel; otherwise both shots go to the scratch folder as BMP files.
::testing::AssertionResult looksAlike(const Shot& actual, const Shot& expected,
                                      const std::wstring& name) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const fs::path folder = fs::temp_directory_path() / L"pelko-e2e-tests";
    actual.save(folder / (name + L"-actual.bmp"));
    expected.save(folder / (name + L"-expected.bmp"));
    return ::testing::AssertionFailure() << actual.differenceFrom(expected) << "; see "
                                         << (folder / name).string() << "-{actual,expected}.bmp";
}

// The wheel lines as Windows keeps them in the registry, where the program stores them. (Each
// Wine process caches the pointer settings it has read; the program sets speed and acceleration
// for the session only, so those show only in the bytes Apply stores from the same values.)
std::wstring storedWheelLines() {
    wchar_t text[16] = {};
    DWORD size = sizeof(text);
    ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WheelScrollLines", RRF_RT_REG_SZ,
                   nullptr, text, &size);
    return text;
}

} // namespace

class UsersDay : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = fs::temp_directory_path() / L"pelko-e2e-tests";
        fs::remove_all(folder);
        fs::create_directories(folder);
        memoryFile = folder / L"memory.bin";
    }
    static void TearDownTestSuite() {
        window.reset();
        program.reset(); // killed if still running
    }

    static void start() {
        window.reset();
        program = std::make_unique<Program>(binFolder() / L"pelkocfg-sim.exe", memoryFile);
        window = std::make_unique<RemoteWindow>(*program);
    }

    static RemoteWindow& w() { return *window; }

    // A click on an option, a profile button or "One Page", seen through the control's face.
    static void click(int id) {
        const RECT r = w().controlRect(id);
        const Shot before = w().shotOf(r);
        ASSERT_TRUE(w().clickControl(id)) << "control " << id << " took no click";
        EXPECT_TRUE(w().waitForChange(r, before, kChangeTimeoutMs))
            << "control " << id << " kept its face: was it checked already?";
    }

    static void pick(int listId, int row) {
        const RECT r = w().controlRect(listId);
        const Shot before = w().shotOf(r);
        ASSERT_TRUE(w().pickListRow(listId, row)) << "list " << listId << " row " << row;
        EXPECT_TRUE(w().waitForChange(r, before, kChangeTimeoutMs)) << "list " << listId;
    }

    // Drags a thumb by its centre, from where the window shows it; to a stop at an end by way
    // of a point past that end. A thumb already there goes to the other end first, so that
    // every drag shows.
    static void drag(int sliderId, int to) {
        const int from = w().thumbShownAt(sliderId);
        ASSERT_GE(from, 0) << "slider " << sliderId << " shows no thumb";
        constexpr int kMiddle = (kLeftStop + kRightStop) / 2;
        if (std::abs(from - to) <= 1) drag(sliderId, to > kMiddle ? kLeftStop : kRightStop);
        const RECT r = w().controlRect(sliderId);
        const Shot before = w().shotOf(r);
        const int start = w().thumbShownAt(sliderId);
        const int toChannelX = to == kLeftStop ? to - 20 : to == kRightStop ? to + 21 : to;
        ASSERT_TRUE(w().dragThumb(sliderId, start, toChannelX))
            << "slider " << sliderId << ": no thumb at x " << start;
        EXPECT_TRUE(w().waitForChange(r, before, kChangeTimeoutMs))
            << "slider " << sliderId << ": the thumb stayed at x " << start << " (dragged to x "
            << toChannelX << ")";
    }

    static void pageStep(int sliderId, int channelX) {
        const RECT r = w().controlRect(sliderId);
        const Shot before = w().shotOf(r);
        ASSERT_TRUE(w().clickChannel(sliderId, channelX)) << "slider " << sliderId;
        EXPECT_TRUE(w().waitForChange(r, before, kChangeTimeoutMs)) << "slider " << sliderId;
    }

    // The window at rest, the pointer off it.
    static Shot rest() {
        w().pointerAway();
        Shot shot = w().settledShot();
        EXPECT_FALSE(shot.empty()) << "the window never settled";
        return shot;
    }

    // Clicks a profile button and returns the window at rest.
    static Shot showProfile(int buttonId) {
        click(buttonId);
        return rest();
    }

    static inline fs::path folder, memoryFile;
    static inline std::unique_ptr<Program> program;
    static inline std::unique_ptr<RemoteWindow> window;

    // What the first test leaves for the others.
    static inline Shot factoryLook[3]; // each profile's first look, its factory choices
    static inline Shot profileLook[3]; // each profile's look as OK left it
    static inline std::vector<uint8_t> okMemory;
    static inline bool restarted = false;
};

TEST_F(UsersDay, OnANeverConfiguredMouseTheEditsOfAllThreeProfilesAreWrittenByApplyAndOk) {
    // The never-configured profiles show Windows' pointer settings: make them known.
    UINT lines = kWindowsWheelLines;
    int acceleration[3] = {kWindowsAccelerationOn[0], kWindowsAccelerationOn[1],
                           kWindowsAccelerationOn[2]};
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_UPDATEINIFILE);
    ::SystemParametersInfoW(SPI_SETMOUSE, 0, acceleration, SPIF_UPDATEINIFILE);

    ASSERT_FALSE(fs::exists(memoryFile));
    start();
    ASSERT_TRUE(w().found());
    const SimMemory factory = SimFirmware::factoryMemory();
    std::vector<uint8_t> expected(factory.begin(), factory.end());
    EXPECT_EQ(fileBytes(memoryFile), expected) << "the start-up wrote to the mouse";

    // Profile 1 (factory: 400, 800, 500 Hz, no swap): 800, 3200, 125 Hz, swapped, speed 20
    // (dragged to the end, then a page step), no acceleration, "One Page" cleared again by the
    // wheel slider at 23 lines.
    factoryLook[0] = rest();
    pick(kCpi1List, k800);
    pick(kCpi2List, k3200);
    click(kRate125);
    click(kSwapOn);
    drag(kSensitivity, kRightStop);
    pageStep(kSensitivity, kRightOfTheEnd);
    click(kAccelerationOff);
    click(kOnePage);
    drag(kWheel, wheelAt(23));
    putProfile(expected, 0, {kCode800, kCode3200, kRateCode125, 1, 20, 0, 23});

    // Profile 2 (factory: 400, 3200, 1000 Hz, no swap): 3200, 800, 500 Hz, swapped, speed 1,
    // no acceleration, 45 lines and "One Page".
    factoryLook[1] = showProfile(kProfile2);
    pick(kCpi1List, k3200);
    pick(kCpi2List, k800);
    click(kRate500);
    click(kSwapOn);
    drag(kSensitivity, kLeftStop);
    click(kAccelerationOff);
    drag(kWheel, wheelAt(45));
    click(kOnePage);
    putProfile(expected, 1, {kCode3200, kCode800, kRateCode500, 1, 1, 0, kOnePageFlag | 45});

    // Profile 3 (factory: 400, 800, 500 Hz, swapped): 1600, 400, 1000 Hz, no swap, speed 10.5
    // (stored 10), acceleration off and on again, 89 lines.
    factoryLook[2] = showProfile(kProfile3);
    pick(kCpi1List, k1600);
    pick(kCpi2List, k400);
    click(kRate1000);
    click(kSwapOff);
    drag(kSensitivity, kSpeed10Point5);
    click(kAccelerationOff);
    click(kAccelerationOn);
    drag(kWheel, wheelAt(89));
    putProfile(expected, 2, {kCode1600, kCode400, kRateCode1000, 0, 10, 1, 89});
    ASSERT_FALSE(HasFailure());

    // Apply on profile 3. The protocol's own bytes: every profile had its factory choices
    // (markers 12 and 3), Apply's fixed bytes, the profile shown selected, the CPI stage as it
    // was read, 0 at 128 and 129.
    expected[0] = 12;
    expected[1] = 3;
    expected[2] = 0x1F;
    expected[4] = 0xE0;
    expected[6] = 22;
    expected[7] = factory[7];
    expected[128] = 0;
    expected[129] = 0;
    {
        const RECT apply = w().controlRect(kApply);
        const Shot idle = rest().part(apply);
        ASSERT_TRUE(w().clickControl(kApply));
        w().pointerAway();
        // Disabled while it writes, enabled again once it is done.
        EXPECT_TRUE(w().waitForChange(apply, idle, kApplyTimeoutMs));
        EXPECT_TRUE(waitFor([&] { return w().shotOf(apply) == idle; }, kApplyTimeoutMs));
        EXPECT_TRUE(waitFor([&] { return fileBytes(memoryFile) == expected; }, kApplyTimeoutMs))
            << "after Apply:" << differingAddresses(fileBytes(memoryFile), expected);
    }

    // Each profile's look before OK; then one more edit, which only OK writes: profile 2's
    // CPI 2 from 800 to 1600. OK on profile 2.
    profileLook[2] = rest();
    profileLook[0] = showProfile(kProfile1);
    showProfile(kProfile2);
    pick(kCpi2List, k1600);
    profileLook[1] = rest();
    expected[39 + 1] = expected[39 + 3] = kCode1600;
    expected[6] = 11;
    EXPECT_NE(profileLook[0], profileLook[1]);
    EXPECT_NE(profileLook[1], profileLook[2]);
    EXPECT_NE(profileLook[0], profileLook[2]);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(profileLook[i], factoryLook[i]) << "profile " << i + 1;

    ASSERT_TRUE(w().clickControl(kOk));
    EXPECT_EQ(program->ended(), 0) << "OK ends the program";
    const std::vector<uint8_t> written = fileBytes(memoryFile);
    EXPECT_EQ(written, expected) << "after OK:" << differingAddresses(written, expected);
    if (!HasFailure()) okMemory = written;
}

TEST_F(UsersDay, TheRestartShowsEveryProfileAsItWasLeftAndFollowsTheMousesOwnButtons) {
    ASSERT_FALSE(okMemory.empty()) << "needs the memory the first test leaves";
    start();
    ASSERT_TRUE(w().found());
    restarted = true;

    // The profile OK was given on, then each of the others, then that one again.
    EXPECT_TRUE(looksAlike(rest(), profileLook[1], L"restart-profile-2"));
    EXPECT_TRUE(looksAlike(showProfile(kProfile3), profileLook[2], L"restart-profile-3"));
    EXPECT_TRUE(looksAlike(showProfile(kProfile1), profileLook[0], L"restart-profile-1"));
    EXPECT_TRUE(looksAlike(showProfile(kProfile2), profileLook[1], L"restart-profile-2-again"));
    EXPECT_EQ(fileBytes(memoryFile), okMemory) << "showing profiles writes nothing";

    // The mouse's profile button: the window follows to profile 3.
    ASSERT_TRUE(w().clickPanelButton(CSimPanel::kProfileButton));
    w().pointerAway();
    EXPECT_TRUE(waitFor([&] { return w().shot() == profileLook[2]; }, kFollowTimeoutMs))
        << "the window did not follow the mouse to profile 3: "
        << w().shot().differenceFrom(profileLook[2]);

    // The mouse's CPI button, stage 1 to 2 and 2 to 3: the window opens the drop-down of the
    // list of the stage's preset, CPI 2 and then CPI 1. A click elsewhere closes it unchanged.
    const int cpi1Left = layoutRectOf(kCpi1List).left, cpi2Left = layoutRectOf(kCpi2List).left;
    for (const auto& [opened, other] :
         {std::pair{cpi2Left, cpi1Left}, std::pair{cpi1Left, cpi2Left}}) {
        ASSERT_TRUE(w().clickPanelButton(CSimPanel::kCpiButton));
        w().pointerAway();
        HWND list = nullptr;
        EXPECT_TRUE(
            waitFor([&] { return (list = w().openListAt(opened)) != nullptr; }, kFollowTimeoutMs))
            << "the list at x " << opened << " did not open";
        EXPECT_EQ(w().openListAt(other), nullptr);
        if (!list) continue;
        ASSERT_TRUE(w().closeListWithClickAway(list));
    }
    EXPECT_TRUE(looksAlike(rest(), profileLook[2], L"after-cpi-button"));
}

TEST_F(UsersDay, CancelAfterEditsWritesNothingAndTheFactoryChoicesLookAsSetByHand) {
    ASSERT_TRUE(restarted && program->ended(0) == -1) << "needs the restarted program";
    const std::vector<uint8_t> before = fileBytes(memoryFile);
    ASSERT_EQ(before.size(), 130u);

    // Each profile set by hand to the choices a never-configured mouse gives it: the hardware
    // card looks as it did then.
    struct Choices {
        int button, cpi1, cpi2, rate, swap;
    };
    const Choices factoryChoices[3] = {{kProfile1, k400, k800, kRate500, kSwapOff},
                                       {kProfile2, k400, k3200, kRate1000, kSwapOff},
                                       {kProfile3, k400, k800, kRate500, kSwapOn}};
    for (int i : {2, 0, 1}) { // profile 3 is shown
        const Choices& c = factoryChoices[i];
        if (i != 2) showProfile(c.button);
        pick(kCpi1List, c.cpi1);
        pick(kCpi2List, c.cpi2);
        click(c.rate);
        click(c.swap);
        EXPECT_TRUE(looksAlike(rest().part(kHardwareCard), factoryLook[i].part(kHardwareCard),
                               L"factory-choices-" + std::to_wstring(i + 1)))
            << "profile " << i + 1;
    }
    drag(kSensitivity, kRightStop); // from profile 2's speed 1
    click(kOnePage);

    ASSERT_TRUE(w().clickControl(kCancel));
    EXPECT_EQ(program->ended(), 0) << "Cancel ends the program";
    const std::vector<uint8_t> after = fileBytes(memoryFile);
    EXPECT_EQ(after, before) << "Cancel wrote:" << differingAddresses(after, before);
}

// A configured mouse whose profile 1 holds a report rate and a swap byte that no button shows
// and neither a pointer speed nor a wheel value. Apply without an edit keeps both bytes, gives
// the profile the Windows values the window showed, and changes no Windows setting.
TEST(ForeignMemory, ApplyWithoutAnEditKeepsTheUnknownBytesAndLeavesWindowsAsItWas) {
    const fs::path memoryFile = fs::temp_directory_path() / L"pelko-e2e-tests" / L"foreign.bin";
    const SimMemory factory = SimFirmware::factoryMemory();
    std::vector<uint8_t> memory(factory.begin(), factory.end());
    memory[0] = 12;
    memory[1] = 3;
    putProfile(memory, 0, {kCode400, kCode800, 4, 5, 0, 1, 0});
    fs::create_directories(memoryFile.parent_path());
    std::ofstream(memoryFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));

    // What Windows holds; the speed goes in the number argument, where Wine keeps it (one set
    // as the program sets it reads back 0 in Wine).
    int acceleration[3] = {kWindowsAccelerationOn[0], kWindowsAccelerationOn[1],
                           kWindowsAccelerationOn[2]};
    ::SystemParametersInfoW(SPI_SETMOUSESPEED, 14, nullptr, SPIF_UPDATEINIFILE);
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, kWindowsWheelLines, nullptr,
                            SPIF_UPDATEINIFILE);
    ::SystemParametersInfoW(SPI_SETMOUSE, 0, acceleration, SPIF_UPDATEINIFILE);
    {
        Program program(binFolder() / L"pelkocfg-sim.exe", memoryFile);
        RemoteWindow window(program);
        ASSERT_TRUE(window.found());
        ASSERT_TRUE(window.clickControl(kApply));
        window.pointerAway();
        std::vector<uint8_t> expected = memory;
        putProfile(expected, 0, {kCode400, kCode800, 4, 5, 14, 1, kWindowsWheelLines});
        expected[2] = 0x1F;
        expected[4] = 0xE0;
        expected[128] = expected[129] = 0;
        EXPECT_TRUE(waitFor([&] { return fileBytes(memoryFile) == expected; }, kApplyTimeoutMs))
            << "after Apply:" << differingAddresses(fileBytes(memoryFile), expected);
        EXPECT_TRUE(program.closeMainWindow());
    }
    EXPECT_EQ(storedWheelLines(), std::to_wstring(kWindowsWheelLines));
}
