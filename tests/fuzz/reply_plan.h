// What one run of the random-reply program does: its random numbers, which exchanges get a
// random reply and how such a reply is made.
#pragma once

#include "sim/sim_firmware.h"

#include <cstdint>

// splitmix64: small, and the same sequence on every platform, so a seed replays a run.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t next();
    int below(int bound) { return int(next() % uint64_t(bound)); }
    bool percent(int chance) { return below(100) < chance; }
    uint8_t byte() { return uint8_t(next()); }

  private:
    uint64_t state;
};

// The seed of the run after the one with `seed`.
uint64_t nextRunSeed(uint64_t seed);

inline constexpr int StartUpExchangeCount = 6 + 9 + 1 + 26;

enum class PlanMode { MostlyValid, Mixed, FullyRandom, Burst, Count };
const char* planModeName(PlanMode mode);

struct ReplyPlan {
    PlanMode mode = PlanMode::Mixed;
    int share = 0;       // percent of exchanges that get a random reply
    int burstFirst = -1; // Burst: every exchange from burstFirst to burstLast
    int burstLast = -1;
    // Per random reply, the chance (percent) that each part is random.
    int statusShare = 0;
    int maskShare = 0;
    int payloadShare = 0;
    int commits = 0; // Apply or OK rounds after start-up

    static ReplyPlan draw(Rng& rng);
    // Whether exchange `index` gets a random reply; a commit's stage read gets one at least
    // half the time except in mostly valid runs.
    bool randomises(int index, bool stageRead, Rng& rng) const;
};

// What a random reply changed.
struct ReplyChange {
    bool status = false;
    bool mask = false;
    bool payload = false;
};

// Gives `reply` a random status (0, refused, half the time), a random mask (with the device's
// own payload under it, or the masked bytes left as they were) and random payload bytes, as
// the plan's shares say; at least one of them. Half the refusals get random payload bytes too.
ReplyChange randomiseReply(const ReplyPlan& plan, Rng& rng, SimReport& reply);
