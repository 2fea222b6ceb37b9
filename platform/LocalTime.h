#pragma once
// The local wall-clock time, as the memo folder names use it.
namespace vel::platform {

struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0; // 0 = Sunday ... 6 = Saturday
};

LocalDateTime CurrentLocalTime();

} // namespace vel::platform
