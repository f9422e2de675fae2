// The volume goes through the default output device's endpoint volume: since Windows Vista
// the wave-out volume is the program's own audio session, which nobody hears change.
#include "platform/win32/system_services.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

namespace bw::win32 {

namespace {

// The wave-out functions, from winmm.dll in the system folder, loaded at the first step that
// needs them.
struct WaveOut {
    decltype(waveOutGetVolume)* getVolume = nullptr;
    decltype(waveOutSetVolume)* setVolume = nullptr;
    decltype(waveOutGetErrorTextW)* errorText = nullptr;
    explicit operator bool() const { return getVolume && setVolume && errorText; }
};

WaveOut LoadWaveOut() {
    static const SystemLibrary winmm(L"winmm.dll");
    return {winmm.Find<decltype(waveOutGetVolume)>("waveOutGetVolume"),
            winmm.Find<decltype(waveOutSetVolume)>("waveOutSetVolume"),
            winmm.Find<decltype(waveOutGetErrorTextW)>("waveOutGetErrorTextW")};
}

std::uint32_t ToLevel(float scalar) {
    return static_cast<std::uint32_t>(
        std::lround(std::fmin(std::fmax(scalar, 0.0f), 1.0f) * 65535));
}

// The endpoint's master level: the balance between its channels is the endpoint's own.
class EndpointOutput final : public AudioOutput {
  public:
    explicit EndpointOutput(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}

    std::optional<std::uint32_t> Level() override {
        float level = 0;
        if (FAILED(volume_->GetMasterVolumeLevelScalar(&level))) return std::nullopt;
        return ToLevel(level);
    }
    void SetLevel(std::uint32_t level) override {
        if (const HRESULT result =
                volume_->SetMasterVolumeLevelScalar(static_cast<float>(level) / 65535, nullptr);
            FAILED(result))
            throw SystemFailure(result);
    }
    std::optional<bool> Muted() override {
        BOOL muted = FALSE;
        if (FAILED(volume_->GetMute(&muted))) return std::nullopt;
        return muted != FALSE;
    }
    void SetMuted(bool muted) override {
        if (const HRESULT result = volume_->SetMute(muted ? TRUE : FALSE, nullptr); FAILED(result))
            throw SystemFailure(result);
    }

  private:
    ComPtr<IAudioEndpointVolume> volume_;
};

// Systems without the endpoint services: the wave-out volume of device 0, left level in the
// low word, right in the high one. The louder channel is the level; both scale with it.
class WaveOutOutput final : public AudioOutput {
  public:
    explicit WaveOutOutput(WaveOut functions) : waveOut_(functions) {}

    std::optional<std::uint32_t> Level() override {
        const std::optional<DWORD> levels = Channels();
        if (!levels) return std::nullopt;
        return std::max(*levels & 0xFFFF, *levels >> 16);
    }
    void SetLevel(std::uint32_t level) override {
        const DWORD levels = Channels().value_or(0);
        const DWORD louder = std::max(levels & 0xFFFF, levels >> 16);
        // Rounded, so that the quieter channel does not sink a little at every step.
        auto scaled = [&](DWORD channel) {
            return louder == 0 ? level : (channel * level + louder / 2) / louder;
        };
        const DWORD wanted = scaled(levels & 0xFFFF) | scaled(levels >> 16) << 16;
        const MMRESULT result =
            waveOut_ ? waveOut_.setVolume(nullptr, wanted) : MMRESULT{MMSYSERR_NODRIVER};
        if (result != MMSYSERR_NOERROR) {
            wchar_t text[MAXERRORLENGTH] = {};
            if (waveOut_) waveOut_.errorText(result, text, MAXERRORLENGTH);
            // Wave-out's own error, not a system one: its words are what it has.
            throw Failure(Narrow(text));
        }
    }
    std::optional<bool> Muted() override { return false; }
    void SetMuted(bool muted) override {
        if (muted) throw Failure("the sound device has no mute.");
    }

  private:
    std::optional<DWORD> Channels() const {
        DWORD levels = 0;
        if (!waveOut_ || waveOut_.getVolume(nullptr, &levels) != MMSYSERR_NOERROR)
            return std::nullopt;
        return levels;
    }

    WaveOut waveOut_;
};

}  // namespace

std::unique_ptr<AudioOutput> EndpointVolume::DefaultOutput() {
    // Taken afresh for every step, so that a device changed or removed since is no matter.
    ComPtr<IMMDeviceEnumerator> devices;
    if (FAILED(CreateComObject(__uuidof(MMDeviceEnumerator), CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.PutVoid())))
        return std::make_unique<WaveOutOutput>(LoadWaveOut());
    ComPtr<IMMDevice> device;
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.Put())))
        return std::make_unique<WaveOutOutput>(LoadWaveOut());
    ComPtr<IAudioEndpointVolume> volume;
    if (const HRESULT result = device->Activate(__uuidof(IAudioEndpointVolume),
                                                CLSCTX_INPROC_SERVER, nullptr, volume.PutVoid());
        FAILED(result))
        throw SystemFailure(result);
    return std::make_unique<EndpointOutput>(std::move(volume));
}

void ForegroundWindowCommands::MinimizeForegroundWindow() {
    // CloseWindow minimises; it neither closes nor destroys.
    if (HWND front = GetForegroundWindow()) CloseWindow(front);
}

void ForegroundWindowCommands::TurnOffScreen() {
    TurnOffDisplays(ownWindow_());
}

void TurnOffDisplays(HWND ownWindow) {
    // To our own window, whose default procedure switches the displays off: broadcast, the
    // command would wait in the queue of every busy or frozen window and switch them off
    // again whenever that window runs next.
    if (ownWindow) SendMessageW(ownWindow, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
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

void ExitWindowsSession::Suspend(bool hibernate) {
    using Capabilities = BOOLEAN WINAPI(PSYSTEM_POWER_CAPABILITIES);
    SYSTEM_POWER_CAPABILITIES power{};
    {
        const SystemLibrary library(L"powrprof.dll");
        const auto capabilities = library.Find<Capabilities>("GetPwrCapabilities");
        if (!capabilities || !capabilities(&power))
            throw Failure("what sleep this computer offers could not be read.");
    }
    // The modern standby flag (AoAc), at its documented place, which this SDK's structure
    // still calls spare.
    static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, spare2) + 2 == 0x14);
    const bool modernStandby = power.spare2[2] != 0;
    if (hibernate && !(power.SystemS4 && power.HiberFilePresent))
        throw Failure("hibernation is off on this computer.");
    if (!hibernate && !(power.SystemS1 || power.SystemS2 || power.SystemS3)) {
        // Such a computer sleeps when its screen goes off; asked to sleep, it would hibernate.
        if (!modernStandby) throw Failure("this computer offers no sleep.");
        return TurnOffDisplays(ownWindow_());
    }
    EnableShutdownPrivilege();
    // On a thread of its own: the call returns only once the computer is awake again, and
    // meanwhile this one must take the suspend's notice as every program does. Not forced,
    // and any wake-up event may wake it: the remote's receiver among them.
    std::thread([hibernate] {
        using SetState = BOOLEAN WINAPI(BOOLEAN, BOOLEAN, BOOLEAN);
        const SystemLibrary library(L"powrprof.dll");
        if (const auto setState = library.Find<SetState>("SetSuspendState"))
            setState(hibernate, FALSE, FALSE);
    }).detach();
}

void ExitWindowsSession::EndSession(std::uint32_t flags) {
    if (flags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) EnableShutdownPrivilege();
    // A planned end, as the user asked for it through the countdown.
    if (!ExitWindowsEx(
            flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED))
        throw LastErrorFailure();
}

}  // namespace bw::win32
