// The application object of pelkocfg-sim.exe: the real program over the simulated mouse,
// whose memory persists in a file across runs, with the "Simulated Pelko" panel beside the
// main window and, when PELKO_SIM_WIRELOG names a file, every exchange appended to it.
#include "app/pelko_app.h"
#include "sim/demo/sim_panel.h"
#include "sim/demo/wire_log_file.h"
#include "sim/sim_bus.h"
#include "sim/sim_memory_file.h"

namespace {

// The main window opens at the screen's top-left corner; the panel goes to its right.
constexpr int kPanelX = 600;
constexpr int kPanelY = 0;

class CPelkoSimApp : public CPELKOmouseApp {
  public:
    BOOL InitInstance() override {
        m_bus.firmware.persistTo(simMemoryFilePath());
        m_bus.install();
        const std::wstring wireLogPath = WireLogFile::configuredPath();
        if (!wireLogPath.empty()) m_wireLogFile.open(wireLogPath);
        m_panel.CreatePanel(kPanelX, kPanelY, true);
        CPELKOmouseApp::InitInstance();
        m_wireLogFile.catchUp(m_bus.wireLog); // the exchanges since the panel's last look
        // The panel goes with the process: destroying the shown window first would only
        // delay the end (by about 2 s under Wine).
        ::ExitProcess(0);
    }

  private:
    SimHidBus m_bus;
    WireLogFile m_wireLogFile;
    CSimPanel m_panel{m_bus, m_wireLogFile};
};

} // namespace

CPelkoSimApp theApp;
