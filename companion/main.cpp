// The application object of pelkotray.exe, the companion.
#include "companion/companion_app.h"

CCompanionApp theApp;
