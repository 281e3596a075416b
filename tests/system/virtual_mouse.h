// The virtual mouse (sim/virtual/) as the system tests hold it: each step runs pelko-device.exe
// of the x86_64 build, whichever build the test is, since the driver runs in Wine's 64-bit
// device host.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class VirtualMouse {
  public:
    // A fresh firmware from `memoryFile` (factory memory when it holds none), every exchange
    // appended to `wireLog`.
    bool plug(const std::filesystem::path& memoryFile, const std::filesystem::path& wireLog);
    // Removes the devices through the PnP manager, as pulling the cable would.
    bool unplug();
    bool pressCpiButton();
    bool pressProfileButton();
    // FailSendAt, FailReceiveAt, UnplugAt (exchange indexes) or ReplyMask.
    bool setFault(const wchar_t* name, unsigned value);
    // Command codes the firmware refuses from the next exchange on.
    bool refuseCommands(const std::vector<uint8_t>& commands);
    bool clearFaults();

  private:
    bool run(const std::wstring& arguments);
};

// One line of the wire log: "<index> <ms> <request hex> <reply hex> <result>".
struct WireLine {
    int index = -1;
    long long milliseconds = 0;
    std::vector<uint8_t> request, reply;
    std::string result;

    uint8_t command() const { return request.size() > 2 ? request[2] : 0; }
    // Request payload byte i unmasked (byte 3 + i XOR byte 1).
    uint8_t payload(int i) const { return uint8_t(request[size_t(3 + i)] ^ request[1]); }
};

// The log's well-formed lines; a line that is not one is left out and counted in `malformed`.
std::vector<WireLine> readWireLog(const std::filesystem::path& file, int* malformed = nullptr);
