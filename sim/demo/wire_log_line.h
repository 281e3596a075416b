// How the demo writes an exchange of the simulated bus's wire log: as a line of the
// PELKO_SIM_WIRELOG file, and as a row of the panel's list of the last exchanges.
#pragma once

#include "sim/sim_bus.h"

#include <string>

// "accepted", "refused", "send-failed" or "receive-failed".
const char* wireResultName(ExchangeOutcome result);

// "<index> <ms> <request hex> <reply hex> <result>\n": 18 lower-case hex digits per report.
std::string wireLogLine(int index, long long millisecondsSinceFirst, const WireExchange& exchange);

// "   42  'D' read    06 00 00 00 00 00  accepted": the command, its unmasked payload and
// the result, in columns for a fixed-pitch font.
std::wstring wireExchangeRow(int index, const WireExchange& exchange);
