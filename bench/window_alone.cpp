// pelko_window_alone.exe: the program's main window over the simulated mouse, without the demo's
// panel, its wire log and its memory file: what the program itself costs while it runs (the idle
// figures set it beside pelkocfg-sim.exe and the bare program).
#include "app/pelko_app.h"
#include "sim/sim_bus.h"

#include <windows.h>

namespace {

class CWindowAloneApp : public CPELKOmouseApp {
  public:
    BOOL InitInstance() override {
        m_bus.install();
        CPELKOmouseApp::InitInstance();
        ::ExitProcess(0); // as the demo: the shown window goes with the process
    }

  private:
    SimHidBus m_bus;
};

} // namespace

CWindowAloneApp theApp;
