#include "LogLine.h"

#include "wlansim/Guid.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace wlansim {
namespace {

std::string linePrefix()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ pid=%lu",
                  static_cast<unsigned>(now.wYear), static_cast<unsigned>(now.wMonth),
                  static_cast<unsigned>(now.wDay), static_cast<unsigned>(now.wHour),
                  static_cast<unsigned>(now.wMinute), static_cast<unsigned>(now.wSecond),
                  static_cast<unsigned>(now.wMilliseconds),
                  static_cast<unsigned long>(GetCurrentProcessId()));
    return text;
}

std::string hex(const void* pointer)
{
    if (!pointer)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return text;
}

std::string number(const std::optional<DWORD>& value)
{
    return value ? std::to_string(*value) : "-";
}

} // namespace

std::string formatCallLine(const CallRecord& record)
{
    std::string line = linePrefix();
    line += " call=";
    line += callName(record.call);
    line += " handle=" + hex(record.handle);
    line += " adapter=" + (record.adapter ? formatGuid(*record.adapter) : std::string("-"));
    line += " opcode=" + number(record.opcode);
    line += " value=" + number(record.value);
    line += " size=" + number(record.dataSize);
    line += " buffer=" + hex(record.buffer);
    line += " result=" + std::to_string(record.result);
    if (record.freed) {
        line += " freed=";
        line += freedName(*record.freed);
    }
    return line;
}

std::string formatEventLine(std::string_view event, std::string_view details)
{
    std::string line = linePrefix();
    line += " event=";
    line += event;
    if (!details.empty()) {
        line += ' ';
        line += details;
    }
    return line;
}

} // namespace wlansim
