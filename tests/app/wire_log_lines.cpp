#include "tests/app/wire_log_lines.h"

#include <fstream>
#include <regex>

namespace {

uint8_t hexByte(const std::string& hex, int i) {
    if (hex.size() < size_t(2 * i + 2)) return 0;
    return uint8_t(std::stoi(hex.substr(size_t(2 * i), 2), nullptr, 16));
}

} // namespace

uint8_t WireLogLine::requestByte(int i) const {
    return hexByte(request, i);
}

uint8_t WireLogLine::replyByte(int i) const {
    return hexByte(reply, i);
}

std::vector<WireLogLine> readWireLog(const std::filesystem::path& file) {
    static const std::regex format("(\\d+) (\\d+) ([0-9a-f]{18}) ([0-9a-f]{18}) "
                                   "(accepted|refused|send-failed|receive-failed)");
    std::vector<WireLogLine> lines;
    std::ifstream in(file, std::ios::binary);
    std::string text;
    while (std::getline(in, text)) {
        WireLogLine line;
        std::smatch field;
        if (std::regex_match(text, field, format)) {
            line = {std::stoll(field[1]), std::stoll(field[2]), field[3], field[4], field[5], true};
        }
        lines.push_back(line);
    }
    return lines;
}
