// The demo's "Simulated Pelko" panel beside a main window of this process, and the
// PELKO_SIM_WIRELOG file's lines.
#include "sim/demo/sim_panel.h"
#include "sim/demo/wire_log_line.h"
#include "sim/sim_memory_file.h"
#include "tests/app/running_window.h"
#include "tests/app/wire_log_lines.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using namespace layout::id;

fs::path scratchFile(const wchar_t* name) {
    fs::path folder = fs::temp_directory_path() / L"pelko-app-tests" / L"panel";
    fs::create_directories(folder);
    fs::remove(folder / name);
    return folder / name;
}

} // namespace

// A hidden panel (showing one costs seconds under Wine) over the bus of a built main window.
class SimPanelTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        build();
        panel = std::make_unique<CSimPanel>(*bus, wireLogFile);
        ASSERT_TRUE(panel->CreatePanel(600, 0, false));
    }
    void TearDown() override {
        panel.reset();
        AppTest::TearDown();
    }

    void press(int id) { ::SendMessageW(::GetDlgItem(*panel, id), BM_CLICK, 0, 0); }
    std::wstring text(int id) const {
        wchar_t shown[128] = {};
        ::GetDlgItemTextW(*panel, id, shown, 128);
        return shown;
    }

    WireLogFile wireLogFile;
    std::unique_ptr<CSimPanel> panel;
};

TEST_F(SimPanelTest, TheMousesButtonsChangeTheFirmwareWhichTheWindowAndThePanelFollow) {
    press(CSimPanel::kProfileButton);
    EXPECT_EQ(bus->firmware.memory[6], 11);
    EXPECT_EQ(text(CSimPanel::kProfileValue), L"2");
    press(CSimPanel::kCpiButton);
    EXPECT_EQ(bus->firmware.memory[7], 2);
    EXPECT_EQ(text(CSimPanel::kStageValue), L"2");
    EXPECT_EQ(text(CSimPanel::kRateValue), L"500 Hz");
    EXPECT_EQ(text(CSimPanel::kSwapValue), L"off");

    // One watch tick, and the panel's own timer after it.
    EXPECT_TRUE(pumpDialogUntil(
        *dialog,
        [&] {
            return dialog->lastSeenStage == 2 &&
                   text(CSimPanel::kExchangeCount) ==
                       std::to_wstring(bus->exchangeCount()) + L" exchanges";
        },
        3000));
    EXPECT_EQ(dialog->currentProfile, 11);
    EXPECT_EQ(dialog->button(kProfile2).GetCheck(), 1);
    EXPECT_EQ(dialog->lastSeenStage, 2);
    dialog->list(kCpi2List).SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));

    // The list ends with the newest exchange: the tick's poll.
    HWND list = ::GetDlgItem(*panel, CSimPanel::kExchangeList);
    const int rows = int(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    ASSERT_EQ(rows, CSimPanel::kShownExchanges);
    wchar_t last[128] = {};
    ::SendMessageW(list, LB_GETTEXT, WPARAM(rows - 1), LPARAM(last));
    const int newest = bus->exchangeCount() - 1;
    EXPECT_EQ(last, wireExchangeRow(newest, bus->wireLog.back()));
    EXPECT_NE(std::wstring(last).find(L"'D' read    06 00 00 00 00 00  accepted"),
              std::wstring::npos)
        << last;
    EXPECT_EQ(text(CSimPanel::kExchangeCount), std::to_wstring(newest + 1) + L" exchanges");
}

TEST_F(SimPanelTest, UnplugMakesTheWindowReportTheLostMouseUnlessPluggedInBeforeItsPoll) {
    press(CSimPanel::kCableButton);
    EXPECT_TRUE(bus->isUnplugged());
    EXPECT_EQ(text(CSimPanel::kCableButton), L"Plug in");
    press(CSimPanel::kCableButton);
    EXPECT_FALSE(bus->isUnplugged());
    EXPECT_EQ(text(CSimPanel::kCableButton), L"Unplug");
    // The next poll finds the mouse.
    const int exchanges = bus->exchangeCount();
    bool quit = false;
    EXPECT_TRUE(pumpDialogUntil(
        *dialog, [&] { return bus->exchangeCount() > exchanges; }, 3000, &quit));
    EXPECT_FALSE(quit);

    MessageBoxAnswerer answerer(L"Error");
    press(CSimPanel::kCableButton);
    quit = pumpDialogUntilQuit(*dialog, 5000);
    EXPECT_EQ(answerer.text(100), L"No Glimmerhaus Pelko detected!");
    EXPECT_TRUE(quit);
}

TEST_F(SimPanelTest, FactoryResetSavesTheFactoryMemoryForTheNextStart) {
    const fs::path file = scratchFile(L"reset.bin");
    bus->firmware.persistTo(file.wstring());
    bus->firmware.memory[0] = 12; // a configured mouse
    press(CSimPanel::kProfileButton);
    ASSERT_NE(readSimMemoryFile(file.wstring()), SimFirmware::factoryMemory());

    press(CSimPanel::kResetButton);
    EXPECT_EQ(bus->firmware.memory, SimFirmware::factoryMemory());
    EXPECT_EQ(readSimMemoryFile(file.wstring()), SimFirmware::factoryMemory());
    EXPECT_EQ(text(CSimPanel::kProfileValue), L"1");
    EXPECT_EQ(dialog->currentProfile, 0); // the running window keeps what it read
}

TEST_F(AppTest, TheWireLogFileAppendsOneLinePerExchangeInOrderWithoutRepeats) {
    build();
    const fs::path file = scratchFile(L"wire.log");
    std::ofstream(file, std::ios::binary) << "an earlier run\n";
    auto wireLog = std::make_unique<WireLogFile>();
    ASSERT_TRUE(wireLog->open(file.wstring()));
    wireLog->catchUp(bus->wireLog);
    wireLog->catchUp(bus->wireLog);

    // Later exchanges with every result, as the bus recorded them.
    const auto first = bus->wireLog.front().at;
    const ExchangeOutcome results[] = {ExchangeOutcome::Refused, ExchangeOutcome::SendFailed,
                                       ExchangeOutcome::ReceiveFailed};
    for (int i = 0; i < 3; ++i) {
        WireExchange exchange;
        exchange.request = {0, 0x5A, 'D', uint8_t(0x5C + i), 0x5A, 0x5A, 0x5A, 0x5A, 0xAB};
        exchange.reply = {0, 0x5A, 0, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, uint8_t(0x0F * i)};
        exchange.result = results[i];
        exchange.at = first + std::chrono::milliseconds(1234 + i);
        bus->wireLog.push_back(exchange);
    }
    wireLog->catchUp(bus->wireLog);
    wireLog.reset();

    const std::vector<WireLogLine> lines = readWireLog(file);
    ASSERT_EQ(lines.size(), 1u + kStartUpExchanges + 3);
    EXPECT_FALSE(lines[0].wellFormed); // the earlier content is kept
    long long previousMs = 0;
    for (int i = 0; i < kStartUpExchanges; ++i) {
        const WireLogLine& line = lines[size_t(1 + i)];
        ASSERT_TRUE(line.wellFormed) << i;
        EXPECT_EQ(line.index, i);
        EXPECT_EQ(line.result, "accepted") << i;
        EXPECT_GE(line.milliseconds, previousMs) << i;
        previousMs = line.milliseconds;
        for (int b = 0; b < 9; ++b) {
            EXPECT_EQ(line.requestByte(b), bus->wireLog[size_t(i)].request[size_t(b)]) << i;
            EXPECT_EQ(line.replyByte(b), bus->wireLog[size_t(i)].reply[size_t(b)]) << i;
        }
    }
    std::ifstream in(file, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("\n42 1234 005a445c5a5a5a5aab 005a005a5a5a5a5a00 refused\n"
                       "43 1235 005a445d5a5a5a5aab 005a005a5a5a5a5a0f send-failed\n"
                       "44 1236 005a445e5a5a5a5aab 005a005a5a5a5a5a1e receive-failed\n"),
              std::string::npos);
}
