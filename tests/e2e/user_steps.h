// What the end-to-end tests do as a user would, and what they look for, shared by them:
// pressing buttons through the server, reading the log, answering boxes, the probe.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>
#include "platform/win32/win32_config.h"

#include "probe_window.h"
#include "user_settings.h"
#include "window_reader.h"

namespace bw::test {

inline constexpr int kStartMs = 30000;  // a fresh Wine prefix is slow the first time
inline constexpr int kActMs = 10000;    // from a button line to its effect, with room

// Polls until the condition holds; fails the test, naming what it waited for and adding
// what `shown` tells, when it does not within the time. Returns whether it held.
bool WaitUntil(const std::string& what, const std::function<bool()>& condition,
               int timeoutMs = kActMs, const std::function<std::string()>& shown = {});

// Sends a command to the button-line server and fails the test unless it is done.
void Server(const std::string& command);
// Bytes as the server's raw and paced commands take them.
std::string Hex(const std::string& bytes);

bool Connected(const reader::MainWindowView& v);
// How many change lines of exactly that text the log shows.
std::size_t CountLog(const reader::MainWindowView& v, const std::string& text);

// Sends, then takes as many events as the keys expected ("v65 ^65") and compares them.
void ExpectTyped(ProbeWindow& probe, const std::string& command, const std::string& keys);

// A dialog of that title, once it shows with its controls; fails the test when it does not.
HWND WaitForDialog(const wchar_t* title, int timeoutMs = kActMs);
// Clicks a button of a dialog the way the button's own click would tell it.
void Answer(HWND dialog, int button);
// The text of another program's control.
std::string TextOf(HWND control);

// Every test starts with the server listening and no saved bindings, and leaves none.
class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Server("start");
        UserSettings::Clear();
    }
    void TearDown() override {
        UserSettings::Clear();
        Server("stop");
    }
};

}  // namespace bw::test
