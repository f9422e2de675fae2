// The cost of what a button line does, over lists of every size the settings can hold, of
// saving and loading a long list, and of framing a megabyte that arrives at once.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "platform/code_page.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/line_framer.h"
#include "remote/status_display.h"

namespace {

class NullLog : public bw::EventLogWriter {
  public:
    void Write(bw::LogKind, const std::string&) override {}
};

// Executors that only count their calls.
struct CountingExecutors {
    std::size_t runs = 0;
    bw::ActionExecutors Wire() {
        return {[this](const std::string&, const bw::KeyStroke&) { ++runs; },
                [this](const std::string&, std::int16_t, std::int16_t) { ++runs; },
                [this](const std::string&, std::int16_t) { return ++runs > 0; },
                [this](const std::string&) { return ++runs, true; }};
    }
};

class NoBoxes : public bw::MessageBoxes {
  public:
    int Show(const std::string&, const std::string&, unsigned) override { return bw::kIdOk; }
    std::optional<std::size_t> Choose(const std::string&, const std::string&,
                                      const std::vector<std::string>&) override {
        return std::nullopt;
    }
};

class NoDisplay : public bw::StatusDisplay {
  public:
    void SetStatusText(const std::string&) override {}
    void ShowStatusPicture(bw::StatusPicture) override {}
    void ShowServerPicture(bw::ServerPicture) override {}
    void ShowReceiveFrame(int) override {}
};

class Utf8Only : public bw::CodePage {
  public:
    std::string AnsiToUtf8(std::string_view bytes) override { return std::string(bytes); }
};

// One window in front, always the same program's.
class SameWindowInFront : public bw::ForegroundProgram {
  public:
    bw::WindowInFront Window() override { return {1, 7}; }
    bw::ProgramInFront Describe(const bw::WindowInFront&) override { return {"player.exe"}; }
};

class MemoryStore : public bw::SettingsStore {
  public:
    std::map<std::string, std::string> values;
    std::string Read(const std::string&, const std::string&, const std::string& key,
                     const std::string& fallback) override {
        const auto it = values.find(key);
        return it == values.end() ? fallback : it->second;
    }
    void Write(const std::string&, const std::string&, const std::string& key,
               const std::string& value) override {
        values[key] = value;
    }
};

// HandleLine and the dispatch of one repeat line, the list's last row the only one bound to it;
// with a second argument of 1, a row for the program in front comes before it.
void BM_OneLineOverTheList(benchmark::State& state) {
    NullLog log;
    bw::ActionList list(log);
    for (int i = 1 + static_cast<int>(state.range(1)); i < state.range(0); ++i)
        list.AddMouse("B" + std::to_string(i), "Left Mouse Click");
    if (state.range(1)) list.AddMouse("PLAY", "Mouse Move Left", {"Player.exe"});
    list.AddMouse("PLAY", "Mouse Move Right");
    CountingExecutors executors;
    NoBoxes boxes;
    bw::LineFailureReport failures(boxes, log);
    SameWindowInFront front;
    bw::ForegroundWatch watch(front, log);
    bw::ActionDispatch dispatch(list, executors.Wire(), log, failures, watch);
    NoDisplay display;
    Utf8Only ansi;
    bw::ButtonMessages buttons(
        display, failures, log, ansi,
        [&](const std::string& button, std::int16_t repeat, const std::string& remote) {
            dispatch.OnPress({bw::PressEvent::Kind::Repeat, button, remote, repeat});
        });
    for (auto _ : state) buttons.OnLine("000000000000f40b 07 PLAY remote1");
    if (executors.runs != static_cast<std::size_t>(state.iterations()))
        state.SkipWithError("the bound row did not run");
}
BENCHMARK(BM_OneLineOverTheList)
    ->ArgsProduct({{10, 1000, 32767}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void FillList(bw::ActionList& list, int rows) {
    for (int i = 0; i < rows; ++i) list.AddKey("2", "B" + std::to_string(i), "Ctrl + C", "67", "2");
}

void BM_SaveList1000(benchmark::State& state) {
    NullLog log;
    bw::ActionList list(log);
    FillList(list, 1000);
    MemoryStore store;
    bw::ListPersistence persistence(store, list, log);
    for (auto _ : state) persistence.SaveList();
}
BENCHMARK(BM_SaveList1000)->Unit(benchmark::kMicrosecond);

void BM_LoadList1000(benchmark::State& state) {
    NullLog log;
    MemoryStore store;
    {
        bw::ActionList saved(log);
        FillList(saved, 1000);
        bw::ListPersistence(store, saved, log).SaveList();
    }
    for (auto _ : state) {
        bw::ActionList list(log);
        bw::ListPersistence(store, list, log).LoadList();
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_LoadList1000)->Unit(benchmark::kMicrosecond);

// A megabyte of button lines in one arrival.
void BM_FrameOneMegabyte(benchmark::State& state) {
    std::string arrival;
    while (arrival.size() < (1 << 20)) arrival += "000000000000f40b 00 PLAY remote1\n";
    for (auto _ : state) {
        bw::LineFramer framer;
        benchmark::DoNotOptimize(framer.Feed(arrival).size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(arrival.size()));
}
BENCHMARK(BM_FrameOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
