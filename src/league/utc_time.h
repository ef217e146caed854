#pragma once
#include <chrono>
#include <string>

namespace league {

// "2026-12-10T07:16:25Z"
std::string UtcTimestamp(std::chrono::system_clock::time_point time);

}  // namespace league
