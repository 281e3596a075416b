// The lines of a PELKO_SIM_WIRELOG file, read back for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct WireLogLine {
    long long index = -1;
    long long milliseconds = -1;
    std::string request, reply, result; // the fields as written
    bool wellFormed = false;            // "<index> <ms> <18 hex> <18 hex> <result>"

    // Byte i of the request or the reply.
    uint8_t requestByte(int i) const;
    uint8_t replyByte(int i) const;
    // The request's command, and its first payload byte unmasked.
    uint8_t command() const { return requestByte(2); }
    uint8_t address() const { return requestByte(3) ^ requestByte(1); }
};

std::vector<WireLogLine> readWireLog(const std::filesystem::path& file);
