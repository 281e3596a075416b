// Save and restore over the simulated mouse in the test's process: what reaches the mouse, what
// a refused file or a running window leaves (not one exchange), and what the mouse holds after
// the cable is pulled at points throughout a restore's writes.
#include "device/feature_report.h"
#include "profiles/profiles_actions.h"
#include "profiles/profiles_file.h"
#include "sim/sim_bus.h"
#include "tests/support/fake_system_parameters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kStartUp = 42, kCommit = 30, kReadBack = 26;
constexpr int kProfile1 = 28, kProfile2 = 39, kProfile3 = 50;

// Three configured profiles, every value differing from the factory memory's.
constexpr char kFile[] = R"({"format": "Glimmerhaus Pelko profiles", "version": 1,
  "mouse": {"vendorId": "2719", "productId": "0604"},
  "profiles": {
    "profile1": {"cpi1": 3200, "cpi2": 1600, "reportRate": 1000, "buttonSwap": true,
                 "pointerSpeed": 4, "acceleration": false, "wheelLines": 7},
    "profile2": {"cpi1": 800, "cpi2": {"code": 24}, "reportRate": 125, "buttonSwap": false},
    "profile3": {"cpi1": 1600, "cpi2": 3200, "reportRate": 500, "buttonSwap": false,
                 "wheelLines": 2, "onePage": true}}})";

// The profile bytes the file gives a factory mouse (carried-through bytes +4, +10 and pointer
// bytes the file leaves out as the factory memory has them).
std::vector<uint8_t> expectedProfile(int address) {
    const FirmwareMemory f = PelkoFirmware::factoryMemory();
    std::vector<uint8_t> p(f.begin() + address, f.begin() + address + 11);
    auto put = [&](std::initializer_list<int> at, std::initializer_list<int> values) {
        auto v = values.begin();
        for (int i : at)
            p[size_t(i)] = uint8_t(*v++);
    };
    if (address == kProfile1) put({0, 1, 2, 3, 5, 6, 7, 8, 9}, {64, 32, 64, 32, 1, 1, 4, 0, 7});
    if (address == kProfile2) put({0, 1, 2, 3, 5, 6}, {16, 24, 16, 24, 8, 0});
    if (address == kProfile3) put({0, 1, 2, 3, 5, 6, 9}, {32, 64, 32, 64, 2, 0, 0x82});
    return p;
}

class RestoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bus.install();
        pointer.install();
        folder = fs::temp_directory_path() / L"pelko-profiles-test";
        fs::create_directories(folder);
        file = folder / L"profiles.json";
        write(file, kFile);
    }
    void TearDown() override {
        FakeSystemParameters::uninstall();
        sharedFeatureReport() = FeatureReport{};
        fs::remove_all(folder);
    }

    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::vector<uint8_t> memoryAt(int address, int size = 11) const {
        return std::vector<uint8_t>(bus.firmware.memory.begin() + address,
                                    bus.firmware.memory.begin() + address + size);
    }

    SimHidBus bus;
    FakeSystemParameters pointer;
    fs::path folder, file;
};

} // namespace

// A never-configured mouse: the profiles first under the old markers, then the markers, each
// read back; the active profile's carried settings go to Windows.
TEST_F(RestoreTest, AFileReachesANeverConfiguredMouseAsTheWindowsApplyWouldWriteIt) {
    RestoredState state;
    const ProfilesResult result = restoreMouseProfiles(file.wstring(), &state);
    ASSERT_EQ(result.status, ProfilesStatus::Done) << result.message;
    for (int address : {kProfile1, kProfile2, kProfile3})
        EXPECT_EQ(memoryAt(address), expectedProfile(address)) << "profile at " << address;
    EXPECT_EQ(memoryAt(0, 2), (std::vector<uint8_t>{12, 3}));
    EXPECT_EQ(memoryAt(2, 3), (std::vector<uint8_t>{0x1F, PelkoFirmware::carriedByte(3), 0xE0}));
    EXPECT_EQ(bus.exchangeCount(), kStartUp + 2 * (kCommit + kReadBack));
    EXPECT_TRUE(state.written);
    EXPECT_EQ(state.profile, 1);
    EXPECT_EQ(pointer.wheelLines, 7u) << "profile 1's wheel lines did not reach Windows";

    // Onto a mouse that is configured already the markers stay: one commit.
    bus.wireLog.clear();
    ASSERT_EQ(restoreMouseProfiles(file.wstring(), nullptr).status, ProfilesStatus::Done);
    EXPECT_EQ(bus.exchangeCount(), kStartUp + kCommit + kReadBack);
}

// What the programs' own process-level tests cannot stage: a save into a missing folder, and
// a mouse that stops answering before anything was written.
TEST_F(RestoreTest, ASaveThatCannotBeWrittenOrReadSaysSo) {
    EXPECT_EQ(saveMouseProfiles((folder / L"no folder" / L"p.json").wstring(), false).status,
              ProfilesStatus::NotSaved);
    bus.unplug();
    EXPECT_EQ(saveMouseProfiles(file.wstring(), false).status, ProfilesStatus::NoMouse);
    EXPECT_EQ(restoreMouseProfiles(file.wstring(), nullptr).status, ProfilesStatus::NoMouse);
}

// The cable pulled at points throughout both commits of a restore onto a never-configured
// mouse: the restore says it did not complete, and a marker claims a profile only once all of
// that profile's bytes are on the mouse. A second restore, once the mouse is back, completes.
TEST_F(RestoreTest, APulledCableNeverLeavesAMarkerAheadOfItsProfile) {
    const int firstCommit = kStartUp + 1; // after the stage read
    const int secondCommit = kStartUp + kCommit + kReadBack + 1;
    for (int pullAt :
         {firstCommit, firstCommit + 1, firstCommit + 6, firstCommit + 9, firstCommit + 26,
          kStartUp + kCommit - 1, secondCommit, secondCommit + 1, secondCommit + 26}) {
        SCOPED_TRACE("pulled at exchange " + std::to_string(pullAt));
        bus.firmware.memory = PelkoFirmware::factoryMemory();
        bus.wireLog.clear();
        bus.replug();
        bus.faults.unplugAt = pullAt;
        const ProfilesResult result = restoreMouseProfiles(file.wstring(), nullptr);
        EXPECT_EQ(result.status, ProfilesStatus::NotCompleted) << result.message;
        EXPECT_NE(result.message.find("run it again once the mouse is back"), std::string::npos);
        const uint8_t markerA = bus.firmware.memory[0], markerB = bus.firmware.memory[1];
        if (markerA == 10 || markerA == 12) {
            EXPECT_EQ(memoryAt(kProfile1), expectedProfile(kProfile1));
        }
        if (markerA == 12) {
            EXPECT_EQ(memoryAt(kProfile2), expectedProfile(kProfile2));
        }
        if (markerB == 3) {
            EXPECT_EQ(memoryAt(kProfile3), expectedProfile(kProfile3));
        }

        bus.faults.unplugAt = -1;
        bus.replug();
        ASSERT_EQ(restoreMouseProfiles(file.wstring(), nullptr).status, ProfilesStatus::Done);
        EXPECT_EQ(memoryAt(0, 2), (std::vector<uint8_t>{12, 3}));
        EXPECT_EQ(memoryAt(kProfile3), expectedProfile(kProfile3));
    }
}
