// The volume goes through the default output device's endpoint volume: since Windows Vista
// the wave-out volume is the program's own audio session, which nobody hears change.
#include "platform/win32/win32_system_services.h"

#include <cmath>

#include "platform/failure.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_config.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

namespace bw::win32 {

namespace {

std::uint32_t ToLevel(float scalar) {
    return static_cast<std::uint32_t>(
        std::lround(std::fmin(std::fmax(scalar, 0.0f), 1.0f) * 65535));
}

// The endpoint's channels: left and right, or one channel for both.
class EndpointOutput final : public AudioOutput {
  public:
    explicit EndpointOutput(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}

    std::optional<std::uint32_t> Levels() override {
        UINT channels = 0;
        float left = 0, right = 0;
        if (FAILED(volume_->GetChannelCount(&channels)) || channels == 0 ||
            FAILED(volume_->GetChannelVolumeLevelScalar(0, &left)))
            return std::nullopt;
        if (channels < 2 || FAILED(volume_->GetChannelVolumeLevelScalar(1, &right))) right = left;
        return ToLevel(left) | ToLevel(right) << 16;
    }
    void SetLevels(std::uint32_t levels) override {
        UINT channels = 0;
        if (const HRESULT result = volume_->GetChannelCount(&channels); FAILED(result))
            throw SystemFailure(result);
        const float left = static_cast<float>(levels & 0xFFFF) / 65535;
        const float right = static_cast<float>(levels >> 16) / 65535;
        for (UINT c = 0; c < channels; ++c)
            if (const HRESULT result =
                    volume_->SetChannelVolumeLevelScalar(c, c == 0 ? left : right, nullptr);
                FAILED(result))
                throw SystemFailure(result);
    }
    bool Muted() override {
        BOOL muted = FALSE;
        return SUCCEEDED(volume_->GetMute(&muted)) && muted;
    }
    void Unmute() override {
        if (const HRESULT result = volume_->SetMute(FALSE, nullptr); FAILED(result))
            throw SystemFailure(result);
    }

  private:
    ComPtr<IAudioEndpointVolume> volume_;
};

// Systems without the endpoint services: the wave-out volume of device 0.
class WaveOutOutput final : public AudioOutput {
  public:
    std::optional<std::uint32_t> Levels() override {
        DWORD levels = 0;
        if (waveOutGetVolume(nullptr, &levels) != MMSYSERR_NOERROR) return std::nullopt;
        return levels;
    }
    void SetLevels(std::uint32_t levels) override {
        if (const MMRESULT result = waveOutSetVolume(nullptr, levels); result != MMSYSERR_NOERROR) {
            wchar_t text[MAXERRORLENGTH] = {};
            waveOutGetErrorTextW(result, text, MAXERRORLENGTH);
            throw Failure(static_cast<int>(result), Narrow(text));
        }
    }
    bool Muted() override { return false; }
    void Unmute() override {}
};

}  // namespace

std::unique_ptr<AudioOutput> Win32Volume::DefaultOutput() {
    // Taken afresh for every step, so that a device changed or removed since is no matter.
    ComPtr<IMMDeviceEnumerator> devices;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.PutVoid())))
        return std::make_unique<WaveOutOutput>();
    ComPtr<IMMDevice> device;
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.Put())))
        return std::make_unique<WaveOutOutput>();
    ComPtr<IAudioEndpointVolume> volume;
    if (const HRESULT result = device->Activate(__uuidof(IAudioEndpointVolume),
                                                CLSCTX_INPROC_SERVER, nullptr, volume.PutVoid());
        FAILED(result))
        throw SystemFailure(result);
    return std::make_unique<EndpointOutput>(std::move(volume));
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
