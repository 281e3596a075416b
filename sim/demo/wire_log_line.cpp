#include "sim/demo/wire_log_line.h"

#include "device/feature_report.h"

#include <cstdio>

namespace {

std::string hexOf(const SimReport& report) {
    std::string text;
    char digits[3];
    for (uint8_t byte : report) {
        std::snprintf(digits, sizeof(digits), "%02x", byte);
        text += digits;
    }
    return text;
}

// The command as the protocol writes it (a letter where it is one) and what it does.
std::wstring commandName(uint8_t command) {
    switch (command) {
    case Command::ReadBlock:
        return L"'D' read";
    case Command::WriteBlock:
        return L"'E' write";
    case Command::SelectProfile:
        return L"'I' profile";
    case Command::SetLiveState:
        return L"'!' live";
    case Command::FirmwareVersion:
        return L"22 version";
    default:
        break;
    }
    wchar_t code[12];
    std::swprintf(code, 12, L"%02x ", command);
    const bool unlock = command >= Command::UnlockStep1 && command < Command::UnlockStep1 + 6;
    const bool scratch = command >= Command::ScratchChunk0 && command < Command::ScratchChunk0 + 9;
    return std::wstring(code) + (unlock ? L"unlock" : scratch ? L"scratch" : L"unknown");
}

} // namespace

const char* wireResultName(ExchangeOutcome result) {
    switch (result) {
    case ExchangeOutcome::Accepted:
        return "accepted";
    case ExchangeOutcome::Refused:
        return "refused";
    case ExchangeOutcome::SendFailed:
        return "send-failed";
    case ExchangeOutcome::ReceiveFailed:
        return "receive-failed";
    }
    return "send-failed";
}

std::string wireLogLine(int index, long long millisecondsSinceFirst, const WireExchange& exchange) {
    return std::to_string(index) + " " + std::to_string(millisecondsSinceFirst) + " " +
           hexOf(exchange.request) + " " + hexOf(exchange.reply) + " " +
           wireResultName(exchange.result) + "\n";
}

std::wstring wireExchangeRow(int index, const WireExchange& exchange) {
    wchar_t number[16];
    std::swprintf(number, 16, L"%5d  ", index);
    std::wstring command = commandName(exchange.command);
    command.resize(12, L' ');
    std::wstring row = number + command;
    for (uint8_t byte : exchange.payload) {
        std::swprintf(number, 16, L"%02x ", byte);
        row += number;
    }
    row += L' ';
    for (const char* name = wireResultName(exchange.result); *name; ++name)
        row += wchar_t(*name);
    return row;
}
