// A stand-in for SystemParametersInfoW that keeps the pointer settings as Windows does (Wine's
// own speed setting does not round-trip) and records every call.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

struct ParametersCall {
    UINT action;
    UINT param;
    uintptr_t data; // the pointer argument's value
    UINT winIni;
};

struct FakeSystemParameters {
    std::array<int, 3> mouse = {6, 10, 1};
    int speed = 10;
    UINT wheelLines = 3;
    std::set<UINT> failing; // actions that fail
    std::vector<ParametersCall> calls;

    // Makes this the pointer layer's SystemParametersInfoW until uninstall().
    void install();
    static void uninstall();
};
