// The ids of the companion's resources (pelkotray.rc), for the script and the code alike.
#pragma once

#define IDI_COMPANION 1
