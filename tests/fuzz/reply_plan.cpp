#include "tests/fuzz/reply_plan.h"

uint64_t Rng::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t nextRunSeed(uint64_t seed) {
    Rng rng(seed ^ 0x5EED5EED5EED5EEDull);
    return rng.next();
}

const char* planModeName(PlanMode mode) {
    switch (mode) {
    case PlanMode::MostlyValid:
        return "mostly valid";
    case PlanMode::Mixed:
        return "mixed";
    case PlanMode::FullyRandom:
        return "fully random";
    case PlanMode::Burst:
        return "burst";
    case PlanMode::Count:
        break;
    }
    return "?";
}

// Commits cost 600 ms of the protocol's own waits each: most runs stop after start-up, and a
// share goes on through one or two rounds of Apply or OK.
ReplyPlan ReplyPlan::draw(Rng& rng) {
    ReplyPlan plan;
    plan.mode = PlanMode(rng.below(int(PlanMode::Count)));
    plan.commits = rng.percent(10) ? 1 + rng.below(2) : 0;
    switch (plan.mode) {
    case PlanMode::MostlyValid:
        plan.share = 1 + rng.below(8);
        // Deep sequences are what these runs are for.
        if (rng.percent(25)) plan.commits = 1 + rng.below(2);
        break;
    case PlanMode::Mixed:
        plan.share = 10 + rng.below(81);
        break;
    case PlanMode::FullyRandom:
        plan.share = 100;
        break;
    case PlanMode::Burst: {
        plan.share = 0;
        const bool inCommit = rng.percent(35);
        if (inCommit) plan.commits = 1;
        const int first = inCommit ? StartUpExchangeCount : 0;
        const int length = inCommit ? 30 : StartUpExchangeCount;
        plan.burstFirst = first + rng.below(length);
        plan.burstLast = plan.burstFirst + rng.below(10);
        break;
    }
    case PlanMode::Count:
        break;
    }
    // One part at a time in some runs, all of them in others.
    switch (rng.below(4)) {
    case 0:
        plan.statusShare = 100;
        break;
    case 1:
        plan.maskShare = 100;
        break;
    case 2:
        plan.payloadShare = 100;
        break;
    default:
        plan.statusShare = 20 + rng.below(81);
        plan.maskShare = 20 + rng.below(81);
        plan.payloadShare = 20 + rng.below(81);
        break;
    }
    return plan;
}

bool ReplyPlan::randomises(int index, bool stageRead, Rng& rng) const {
    if (index >= burstFirst && index <= burstLast) return true;
    if (stageRead && mode != PlanMode::MostlyValid && rng.percent(50)) return true;
    return share > 0 && rng.percent(share);
}

ReplyChange randomiseReply(const ReplyPlan& plan, Rng& rng, SimReport& reply) {
    ReplyChange change;
    change.status = rng.percent(plan.statusShare);
    change.mask = rng.percent(plan.maskShare);
    change.payload = rng.percent(plan.payloadShare);
    if (!change.status && !change.mask && !change.payload) {
        const int part = rng.below(3);
        change.status = part == 0;
        change.mask = part == 1;
        change.payload = part == 2;
    }
    if (change.status) reply[2] = rng.percent(50) ? 0 : rng.byte();
    // A refusal often comes with whatever the payload bytes happen to hold.
    if (change.status && reply[2] == 0 && rng.percent(50)) change.payload = true;
    if (change.mask) {
        const uint8_t mask = rng.byte();
        if (rng.percent(50)) {
            for (size_t i = 3; i < reply.size(); ++i)
                reply[i] ^= uint8_t(reply[1] ^ mask);
        }
        reply[1] = mask;
    }
    if (change.payload) {
        const size_t at = 3 + size_t(rng.below(6));
        switch (rng.below(3)) {
        case 0:
            for (size_t i = 3; i < reply.size(); ++i)
                reply[i] = rng.byte();
            break;
        case 1:
            reply[at] = rng.byte();
            break;
        default:
            reply[at] ^= uint8_t(1u << rng.below(8));
            break;
        }
    }
    return change;
}
