// The application object of pelkocfg.exe: the program on the system's HID stack.
#include "app/pelko_app.h"

CPELKOmouseApp theApp;
