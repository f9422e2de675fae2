// GetTickCount64 and the keyboard's repeat settings in milliseconds.
#include "platform/win32/press_timing.h"

#include "platform/win32/windows_api.h"

namespace bw::win32 {

Millis TickClock::Now() {
    return static_cast<Millis>(GetTickCount64());
}

KeyRepeat SystemKeyRepeat() {
    // The delay is 0 to 3, about 250 ms a step; the speed 0 to 31, from about 2.5 to about
    // 30 repeats a second. What cannot be read is taken as Windows' own defaults.
    UINT delay = 1;
    DWORD speed = 31;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    const double perSecond = 2.5 + (speed > 31 ? 31 : speed) * (27.5 / 31.0);
    return {static_cast<Millis>((delay > 3 ? 3 : delay) + 1) * 250,
            static_cast<Millis>(1000.0 / perSecond)};
}

}  // namespace bw::win32
