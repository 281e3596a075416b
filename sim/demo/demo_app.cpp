// The application object of pelkocfg-sim.exe: the real program over the simulated mouse,
// whose memory persists in a file across runs.
#include "app/pelko_app.h"
#include "sim/sim_bus.h"
#include "sim/sim_memory_file.h"

namespace {

class CPelkoSimApp : public CPELKOmouseApp {
  public:
    BOOL InitInstance() override {
        m_bus.firmware.persistTo(simMemoryFilePath());
        m_bus.install();
        return CPELKOmouseApp::InitInstance();
    }

  private:
    SimHidBus m_bus;
};

} // namespace

CPelkoSimApp theApp;
