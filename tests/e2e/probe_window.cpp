// Starting the probe, waiting for it in front, and reading the events it wrote.
#include "probe_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "harness.h"
#include "platform/failure.h"

namespace bw::test {

namespace {

constexpr int kProbeStartMs = 20000;

std::wstring TemporaryFile() {
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"bwp", 0, file);
    return file;
}

// The probe keeps writing; only whole lines count, the last one may still be on its way.
std::vector<std::string> Lines(const std::wstring& file) {
    std::ifstream in{std::filesystem::path(file), std::ios::binary};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line) && !in.eof();) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // written in text mode
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

ProbeWindow::ProbeWindow(const std::wstring& mode, const std::wstring& programName)
    : file_(TemporaryFile()) {
    std::wstring program = BesideTheTests(L"buttonwise-probe.exe");
    if (!programName.empty()) {
        copy_ = file_.substr(0, file_.find_last_of(L'\\') + 1) + programName;
        if (!CopyFileW(program.c_str(), copy_.c_str(), FALSE))
            throw Failure(1, "the probe could not be copied");
        program = copy_;
    }
    process_ = StartProcess(L"\"" + program + L"\" \"" + file_ + L"\" " + mode);
    const DWORD probeId = GetProcessId(process_.get());
    const bool content = mode.starts_with(L"--content-of");

    if (!WaitUntil(
            "the probe window in front",
            [&] {
                DWORD foreground = 0;
                // The content of a frame is no window in front: it has none to offer.
                window_ = content ? nullptr : GetForegroundWindow();
                GetWindowThreadProcessId(GetForegroundWindow(), &foreground);
                const std::vector<std::string> lines = Lines(file_);
                return (content || foreground == probeId) && !lines.empty() && lines[0] == "ready";
            },
            kProbeStartMs))
        throw Failure(1, "the probe window did not come to the foreground");
}

ProbeWindow::~ProbeWindow() {
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 10000);
    DeleteFileW(file_.c_str());
    if (!copy_.empty()) DeleteFileW(copy_.c_str());
}

HWND ProbeWindow::Window() const {
    return window_;
}

std::vector<KeyEvent> ProbeWindow::Events() const {
    std::vector<KeyEvent> events;
    for (const std::string& line : Lines(file_)) {
        char direction[8] = {};
        int key = 0, scan = 0, extended = 0;
        if (std::sscanf(line.c_str(), "%7s %d %d %d", direction, &key, &scan, &extended) == 4)
            events.push_back({std::string(direction) == "down", key, scan, extended != 0,
                              std::string(direction) == "char"});
    }
    events.erase(events.begin(),
                 events.begin() + static_cast<std::ptrdiff_t>(std::min(seen_, events.size())));
    return events;
}

std::vector<KeyEvent> ProbeWindow::Take(std::size_t count, int timeoutMs) {
    std::vector<KeyEvent> events;
    WaitUntil(
        std::to_string(count) + " events in the probe",
        [&] { return (events = Events()).size() >= count; }, timeoutMs,
        [&] { return "; it received " + Keys(events); });
    events.resize(std::min(events.size(), count));
    seen_ += events.size();
    return events;
}

std::string Keys(const std::vector<KeyEvent>& events) {
    std::string keys;
    for (const KeyEvent& e : events) {
        if (!keys.empty()) keys += ' ';
        keys += e.character ? 'c' : e.down ? 'v' : '^';
        keys += std::to_string(e.virtualKey);
    }
    return keys;
}

void ExpectTyped(ProbeWindow& probe, const std::string& command, const std::string& keys) {
    const auto count = static_cast<std::size_t>(std::ranges::count(keys, ' ') + 1);
    Server(command);
    EXPECT_EQ(Keys(probe.Take(count, kActMs)), keys) << command;
}

}  // namespace bw::test
