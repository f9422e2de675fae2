// The volume goes through the default output device's endpoint volume: since Windows Vista
// the wave-out volume is the program's own audio session, which nobody hears change.
#include "platform/win32/win32_system_services.h"

#include <cmath>

#include "platform/failure.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_config.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

namespace bw::win32 {

namespace {

// Fetched afresh for every step, so that a device changed or removed since is no matter.
ComPtr<IAudioEndpointVolume> DefaultEndpointVolume() {
    ComPtr<IMMDeviceEnumerator> devices;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.PutVoid())))
        return {};
    ComPtr<IMMDevice> device;
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.Put()))) return {};
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                volume.PutVoid())))
        return {};
    return volume;
}

std::uint32_t ToLevel(float scalar) {
    return static_cast<std::uint32_t>(
        std::lround(std::fmin(std::fmax(scalar, 0.0f), 1.0f) * 65535));
}

}  // namespace

std::optional<std::uint32_t> Win32Volume::Get() {
    if (ComPtr<IAudioEndpointVolume> volume = DefaultEndpointVolume()) {
        UINT channels = 0;
        float left = 0, right = 0;
        if (SUCCEEDED(volume->GetChannelCount(&channels)) && channels > 0 &&
            SUCCEEDED(volume->GetChannelVolumeLevelScalar(0, &left))) {
            if (channels < 2 || FAILED(volume->GetChannelVolumeLevelScalar(1, &right)))
                right = left;
            return ToLevel(left) | ToLevel(right) << 16;
        }
    }
    DWORD levels = 0;
    if (waveOutGetVolume(nullptr, &levels) == MMSYSERR_NOERROR) return levels;
    return std::nullopt;
}

void Win32Volume::Set(std::uint32_t levels) {
    const float left = static_cast<float>(levels & 0xFFFF) / 65535;
    const float right = static_cast<float>(levels >> 16) / 65535;
    if (ComPtr<IAudioEndpointVolume> volume = DefaultEndpointVolume()) {
        UINT channels = 0;
        if (SUCCEEDED(volume->GetChannelCount(&channels)) && channels > 0) {
            bool all = true;
            for (UINT c = 0; c < channels; ++c)
                all = SUCCEEDED(
                          volume->SetChannelVolumeLevelScalar(c, c == 0 ? left : right, nullptr)) &&
                      all;
            if (all) return;
        }
    }
    waveOutSetVolume(nullptr, levels);
}

void Win32WindowCommands::MinimizeForegroundWindow() {
    // CloseWindow minimises; it neither closes nor destroys.
    if (HWND front = GetForegroundWindow()) CloseWindow(front);
}

namespace {

void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        throw LastErrorFailure();
    UniqueKernelHandle owned(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        throw LastErrorFailure();
    // Succeeds even when the privilege was not granted; only the last error tells.
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() != ERROR_SUCCESS) throw LastErrorFailure();
}

}  // namespace

void Win32ExitSession::EndSession(std::uint32_t flags) {
    if (flags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) EnableShutdownPrivilege();
    if (!ExitWindowsEx(flags, 0)) throw LastErrorFailure();
}

}  // namespace bw::win32
