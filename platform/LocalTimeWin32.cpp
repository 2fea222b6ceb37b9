#include "platform/LocalTime.h"

#include <windows.h>

namespace vel::platform {

LocalDateTime CurrentLocalTime()
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wDayOfWeek};
}

} // namespace vel::platform
