// buttonwise-latency [PRESSES [FLOOD [STARTS [HOLDS]]]]: how fast a button line becomes a key
// in the window in front, on one clock: this program is the server and that window. It
// measures first a minimal client (buttonwise-floor-client, on port 8767) as the floor, then
// Buttonwise.exe from its own folder (on 127.0.0.1:8765), with the bindings it writes for it
// before the start: LAT and LAT2 pressed to F5, HOLD held down on F6. PRESSES single presses
// (default 300), one burst of FLOOD presses (default 20,000; 0 leaves it out), STARTS starts of
// Buttonwise, from the start to its window shown and connected (default 5), and HOLDS holds of
// HOLD (default 20; 0 leaves them out): its first line, then a repeat line every 108 ms for
// about a second, timed from the first line to the key-down and from the last line to the
// key-up. Presses take LAT and LAT2 in turn: Buttonwise takes a first line of the button
// already pressed, within 50 ms of that press's first, for the same press told twice, and
// presses here come about a millisecond apart. Each program's resident memory is read at rest
// after its start and again after 1,000 presses.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "latency_rig.h"
#include "platform/win32/windows_api.h"

#include <psapi.h>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "platform/failure.h"
#include "platform/program_folder.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/registry_store.h"
#include "ui/press_display.h"
#include "platform/win32/utf16.h"

namespace {

using bw::win32::UniqueKernelHandle;
using bw::win32::UniqueSocket;
using latency::Fail;
using latency::KeyCounts;
using latency::Keys;
using latency::NowMs;
using latency::PumpUntil;

constexpr int kFloorPort = 8767;
constexpr int kServerPort = 8765;
constexpr UINT kPressKey = VK_F5, kHeldKey = VK_F6;

// Two buttons bound alike and pressed in turn, so that every line is a press of its own; the
// floor client answers any line alike.
const std::string kPressLines[2] = {"000000000000f40b 00 LAT remote1\n",
                                    "000000000000f40a 00 LAT2 remote1\n"};
// Counted over the whole run, so that no measurement starts with the button the one before
// ended with.
int g_pressLinesTaken = 0;

const std::string& NextPressLine() {
    return kPressLines[g_pressLinesTaken++ % 2];
}

// A remote's repeat lines while a button is held, and what Buttonwise waits after the last
// before it lets the key up once it has heard them: the median gap and half again.
constexpr double kRepeatGapMs = 108;
constexpr double kReleaseMs = 270;
constexpr int kRepeatLines = 9;  // the first line and nine repeats: about a second held

std::string HoldLine(int repeat) {
    char line[64];
    std::snprintf(line, sizeof line, "000000000000f409 %02x HOLD remote1\n", repeat);
    return line;
}

// The rows Buttonwise loads at its start, saved as Buttonwise itself saves them: the press
// value counts only with its row's check.
void WriteBindings() {
    bw::DiscardingLog log;
    bw::ActionList list(log);
    list.AddKey("1", "LAT", "F5", "116", "0");
    list.AddKey("1", "LAT2", "F5", "116", "0");
    list.AddKey("1", "HOLD", "F6", "117", "0", {"", "", 0, bw::When::Held});
    bw::win32::RegistryStore store;
    try {
        bw::ListPersistence(store, list, log).SaveList();
    } catch (const bw::Failure& failure) {
        Fail("cannot write Buttonwise's bindings: " + failure.Description());
    }
}

// A quick person's presses: the display is drawn between them.
constexpr int kPersonsPauseMs = 100;

// Turns Buttonwise's press display on ("1") or off ("0") for its next start.
void SetShowPresses(const char* value) {
    try {
        bw::win32::RegistryStore().Write(bw::kSettingsApplication, "Settings", bw::kShowPressesValue,
                                         value);
    } catch (const bw::Failure& failure) {
        Fail("cannot turn the press display on or off: " + failure.Description());
    }
}

// The programs built beside this one.
std::wstring BesideMe(const std::string& name) {
    return bw::win32::Widen(bw::FileInFolder(bw::win32::ModuleFolder().Path(), name));
}

UniqueKernelHandle Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        Fail("cannot start " + bw::win32::Narrow(program));
    CloseHandle(process.hThread);
    return UniqueKernelHandle(process.hProcess);
}

void Stop(const UniqueKernelHandle& process) {
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
}

struct Presses {
    std::vector<double> sorted;  // ms, from the line's write to the key-down
    int slowest = 0;             // which press, counting from 1
};

// Times each press from the line's write to the key-down, waiting for the key-up before the
// next press, and then the pause, if any: presses at a person's pace leave the program the
// time to draw between them.
Presses MeasurePresses(SOCKET client, int presses, const std::string& who, int pauseMs = 0) {
    std::vector<double> times;
    for (int i = 1; i <= presses; ++i) {
        const KeyCounts& key = Keys(kPressKey);
        const long downs = key.downs, ups = key.ups;
        const std::string& line = NextPressLine();
        const double sent = NowMs();
        send(client, line.data(), static_cast<int>(line.size()), 0);
        PumpUntil([&] { return key.downs > downs; }, 5000,
                  "the key-down of press " + std::to_string(i) + " from " + who);
        times.push_back(NowMs() - sent);
        PumpUntil([&] { return key.ups > ups; }, 5000,
                  "the key-up of press " + std::to_string(i) + " from " + who);
        const double resume = NowMs() + pauseMs;
        PumpUntil([&] { return NowMs() >= resume; }, pauseMs + 1000, "the pause after a press");
    }
    Presses result;
    result.slowest =
        static_cast<int>(std::max_element(times.begin(), times.end()) - times.begin()) + 1;
    std::sort(times.begin(), times.end());
    result.sorted = std::move(times);
    return result;
}

struct Flood {
    double seconds = 0;
    double longestAnswerMs = 0;
};

// One burst of presses: the time until the last key-down, and how long the client's window
// took at worst to answer meanwhile. Every press must come exactly once.
Flood MeasureFlood(SOCKET client, int presses, HWND clientWindow, const std::string& who) {
    const KeyCounts& key = Keys(kPressKey);
    const long downs = key.downs, ups = key.ups;
    std::string burst;
    burst.reserve(kPressLines[1].size() * static_cast<std::size_t>(presses));
    for (int i = 0; i < presses; ++i) burst += NextPressLine();
    latency::AnswerWatch watch(clientWindow);
    const double start = NowMs();
    Flood flood;
    {
        latency::BurstSender sender(client, std::move(burst));
        PumpUntil([&] { return key.downs - downs >= presses; }, 900000,
                  std::to_string(presses) + " key-downs from " + who);
        flood.seconds = (NowMs() - start) / 1000.0;
    }
    PumpUntil([&] { return key.ups - ups >= presses; }, 10000, "the last key-up from " + who);
    const double settle = NowMs() + 500;
    PumpUntil([&] { return NowMs() > settle; }, 1000, "a moment after the flood");
    if (key.downs - downs != presses)
        Fail(who + " sent " + std::to_string(key.downs - downs) + " key-downs for " +
             std::to_string(presses) + " presses");
    flood.longestAnswerMs = watch.LongestMs();
    return flood;
}

struct Holds {
    std::vector<double> downs;    // sorted, ms from the first line's write to the key-down
    std::vector<double> lateUps;  // sorted, ms from the last line's write to the key-up, less
                                  // the release time
    long repeats = 0;             // the held key's own repeats, over all the holds
};

// Holds HOLD as a remote does: its first line, then the repeat lines 108 ms apart, then
// nothing; the next hold starts once the key is up. The key must go down once and up once a
// hold, and not before the last line.
Holds MeasureHolds(SOCKET client, int holds) {
    const KeyCounts& key = Keys(kHeldKey);
    const long repeatsBefore = key.repeats;
    Holds result;
    for (int i = 1; i <= holds; ++i) {
        const std::string hold = "hold " + std::to_string(i) + " of HOLD (F6) from Buttonwise";
        const long downs = key.downs, ups = key.ups;
        double first = 0, last = 0, down = 0;
        for (int repeat = 0; repeat <= kRepeatLines; ++repeat) {
            if (repeat > 0) {
                const double due = first + repeat * kRepeatGapMs;
                PumpUntil([&] { return NowMs() >= due; }, kRepeatGapMs + 1000,
                          "the time of repeat line " + std::to_string(repeat) + " of " + hold);
            }
            if (key.ups != ups)
                Fail("the key went up before repeat line " + std::to_string(repeat) + " of " +
                     hold + ": the hold was cut in two");
            const std::string line = HoldLine(repeat);
            last = NowMs();
            if (repeat == 0) first = last;
            send(client, line.data(), static_cast<int>(line.size()), 0);
            // Timed as a single press is, so that the two compare.
            if (repeat == 0) {
                PumpUntil([&] { return key.downs > downs; }, 5000, "the key-down of " + hold);
                down = NowMs() - first;
            }
        }
        PumpUntil([&] { return key.ups > ups; }, kReleaseMs + 5000,
                  "the key-up of " + hold + " after its last line");
        result.lateUps.push_back(NowMs() - last - kReleaseMs);
        result.downs.push_back(down);
        if (key.downs != downs + 1)
            Fail(std::to_string(key.downs - downs) + " key-downs, not repeats, in " + hold);
    }
    result.repeats = key.repeats - repeatsBefore;
    std::sort(result.downs.begin(), result.downs.end());
    std::sort(result.lateUps.begin(), result.lateUps.end());
    return result;
}

double At(const std::vector<double>& sorted, double q) {
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(q * sorted.size()))];
}

void PrintPresses(const char* who, const Presses& p) {
    const std::vector<double>& t = p.sorted;
    std::printf("  %-12s median %6.2f ms  p99 %6.2f ms  max %6.2f ms (press %d)\n", who, At(t, 0.5),
                At(t, 0.99), t.back(), p.slowest);
}

void PrintHolds(int holds, const Holds& h, const Presses& floor) {
    std::printf(
        "%d holds of HOLD (held on F6): the first line, then %d repeat lines %.0f ms "
        "apart:\n",
        holds, kRepeatLines, kRepeatGapMs);
    std::printf(
        "  first line to WM_KEYDOWN      median %6.2f ms  max %6.2f ms  (the floor's "
        "press: median %.2f ms, %+.2f ms)\n",
        At(h.downs, 0.5), h.downs.back(), At(floor.sorted, 0.5),
        At(h.downs, 0.5) - At(floor.sorted, 0.5));
    std::printf(
        "  last line to WM_KEYUP, less the %.0f ms release time: median %6.2f ms  max "
        "%6.2f ms\n",
        kReleaseMs, At(h.lateUps, 0.5), h.lateUps.back());
    std::printf("  the held key repeated %ld times meanwhile (%.1f a hold)\n", h.repeats,
                static_cast<double>(h.repeats) / holds);
}

// Resident memory (the working set) of a running program, in MB.
double ResidentMb(const UniqueKernelHandle& process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

struct Memory {
    double atRest = 0, afterPresses = 0;
};

// At rest after the start, then after a thousand presses.
Memory MeasureMemory(const UniqueKernelHandle& process, SOCKET client, const std::string& who) {
    if (WaitForInputIdle(process.get(), 5000) != 0) Fail(who + " did not come to rest");
    Memory memory;
    memory.atRest = ResidentMb(process);
    MeasurePresses(client, 1000, who);
    memory.afterPresses = ResidentMb(process);
    return memory;
}

void PrintFlood(const char* who, int presses, const Flood& f) {
    std::printf("  %-12s %7.2f s  %7.0f presses/s  the window answered within %.0f ms\n", who,
                f.seconds, presses / f.seconds, f.longestAnswerMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int presses = std::max(1, argc > 1 ? _wtoi(argv[1]) : 300);
    const int flood = std::max(0, argc > 2 ? _wtoi(argv[2]) : 20000);
    const int starts = std::max(1, argc > 3 ? _wtoi(argv[3]) : 5);
    const int holds = std::max(0, argc > 4 ? _wtoi(argv[4]) : 20);
    WriteBindings();
    SetShowPresses("1");  // whatever a run that failed half-way left
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    const bw::win32::UniqueWindow window = latency::CreateWindowInFront();

    // The floor: what any client pays on this machine for a line in and a key out.
    Presses floorTimes;
    Flood floorFlood;
    Memory floorMemory;
    double floorStart = 0;
    {
        latency::Listener listener(kFloorPort);
        const double started = NowMs();
        const UniqueKernelHandle floorClient =
            Start(BesideMe("buttonwise-floor-client.exe"), std::to_wstring(kFloorPort));
        UniqueSocket client;
        PumpUntil(
            [&] {
                DWORD exitCode = STILL_ACTIVE;
                GetExitCodeProcess(floorClient.get(), &exitCode);
                if (exitCode != STILL_ACTIVE)
                    Fail("the floor client ended with " + std::to_string(exitCode));
                if (!client) client = listener.TryAccept();
                return static_cast<bool>(client);
            },
            30000, "the floor client to connect");
        floorStart = NowMs() - started;
        // Its window was shown in front of the measuring one.
        latency::BringInFront(window.get());
        floorMemory = MeasureMemory(floorClient, client.get(), "the floor client");
        floorTimes = MeasurePresses(client.get(), presses, "the floor client");
        if (flood > 0)
            floorFlood =
                MeasureFlood(client.get(), flood, FindWindowW(L"ButtonwiseFloorClient", nullptr),
                             "the floor client");
        Stop(floorClient);
    }

    // Start-up: from the start to the window shown and the connection made, both.
    latency::Listener listener(kServerPort);
    std::vector<double> startTimes, connectTimes, shownTimes;
    UniqueKernelHandle buttonwise;
    UniqueSocket client;
    // Started afresh: from the start to the window shown and the connection made.
    auto startAfresh = [&](const std::string& which) {
        if (buttonwise) {
            Stop(buttonwise);
            // Wine's desktop process waits 2 s for the X server to withdraw a killed
            // program's windows (there is no window manager on Xvfb to do it), and a new
            // program's display driver waits for the desktop process meanwhile.
            const double settled = NowMs() + 3000;
            PumpUntil([&] { return NowMs() > settled; }, 4000, "Wine to let go of the last start");
        }
        client.reset();
        const double started = NowMs();
        buttonwise = Start(BesideMe("Buttonwise.exe"), L"");
        double connected = 0, shown = 0;
        PumpUntil(
            [&] {
                if (!client && (client = listener.TryAccept())) connected = NowMs() - started;
                HWND main = FindWindowW(L"ButtonwiseMainWindow", nullptr);
                if (!shown && main && IsWindowVisible(main)) shown = NowMs() - started;
                return connected > 0 && shown > 0;
            },
            30000, "Buttonwise to show its window and connect (" + which + ")");
        return std::pair{connected, shown};
    };
    for (int i = 1; i <= starts; ++i) {
        const auto [connected, shown] = startAfresh("start " + std::to_string(i));
        connectTimes.push_back(connected);
        shownTimes.push_back(shown);
        startTimes.push_back(std::max(connected, shown));
    }
    // Buttonwise's window takes the foreground when it is shown, a moment after it shows.
    auto measuringWindowInFront = [&] {
        HWND main = FindWindowW(L"ButtonwiseMainWindow", nullptr);
        PumpUntil([main] { return GetForegroundWindow() == main; }, 5000,
                  "Buttonwise's window to come in front");
        latency::BringInFront(window.get());
    };
    measuringWindowInFront();
    // Presses measure the program at rest, not its first paint after showing its window
    // and losing the foreground, which the start-up figure holds.
    const Memory memory = MeasureMemory(buttonwise, client.get(), "Buttonwise");
    const Presses times = MeasurePresses(client.get(), presses, "Buttonwise");
    const Presses paced = MeasurePresses(client.get(), presses, "Buttonwise", kPersonsPauseMs);
    Holds held;
    if (holds > 0) held = MeasureHolds(client.get(), holds);
    Flood buttonwiseFlood;
    if (flood > 0)
        buttonwiseFlood = MeasureFlood(client.get(), flood,
                                       FindWindowW(L"ButtonwiseMainWindow", nullptr), "Buttonwise");
    // The same presses with the press display turned off, for what drawing it costs a press.
    SetShowPresses("0");
    startAfresh("the display off");
    measuringWindowInFront();
    MeasurePresses(client.get(), 1000, "the warm-up");  // as the memory's presses were, above
    const Presses withoutDisplay = MeasurePresses(client.get(), presses, "without display");
    const Presses pacedWithout =
        MeasurePresses(client.get(), presses, "without display", kPersonsPauseMs);
    Flood floodWithout;
    if (flood > 0)
        floodWithout = MeasureFlood(client.get(), flood,
                                    FindWindowW(L"ButtonwiseMainWindow", nullptr), "without display");
    Stop(buttonwise);
    SetShowPresses("1");

    std::printf("From the line's write to WM_KEYDOWN in the window in front, %d presses:\n",
                presses);
    PrintPresses("floor client", floorTimes);
    PrintPresses("Buttonwise", times);
    PrintPresses("display off", withoutDisplay);
    std::printf("The same, %d ms between a key-up and the next press:\n", kPersonsPauseMs);
    PrintPresses("Buttonwise", paced);
    PrintPresses("display off", pacedWithout);
    std::printf("  Buttonwise's median is %.1f times the floor's\n",
                At(times.sorted, 0.5) / At(floorTimes.sorted, 0.5));
    if (holds > 0) PrintHolds(holds, held, floorTimes);
    if (flood > 0) {
        std::printf("%d presses in one burst, until the last WM_KEYDOWN:\n", flood);
        PrintFlood("floor client", flood, floorFlood);
        PrintFlood("Buttonwise", flood, buttonwiseFlood);
        PrintFlood("display off", flood, floodWithout);
    }
    std::printf("Start-up, to the window shown and connected, %d starts (ms):", starts);
    for (std::size_t i = 0; i < startTimes.size(); ++i)
        std::printf(" %.0f (connected %.0f, shown %.0f)", startTimes[i], connectTimes[i],
                    shownTimes[i]);
    std::vector<double> sorted = startTimes;
    std::sort(sorted.begin(), sorted.end());
    std::printf("  (median %.0f)\n", At(sorted, 0.5));
    std::printf("  the floor client, started first, connected after %.0f ms\n", floorStart);
    std::printf("Resident memory, at rest after the start and after 1000 presses (MB):\n");
    std::printf("  floor client %6.1f %6.1f\n", floorMemory.atRest, floorMemory.afterPresses);
    std::printf("  Buttonwise   %6.1f %6.1f  (%+.1f MB against the floor after the presses)\n",
                memory.atRest, memory.afterPresses, memory.afterPresses - floorMemory.afterPresses);
    WSACleanup();
    return 0;
}
