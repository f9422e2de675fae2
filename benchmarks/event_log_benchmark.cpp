// The cost of one log line once the log is full: a held button writes one per repeat.
#include <benchmark/benchmark.h>

#include "ui/event_log.h"

namespace {

class NullMeasure : public bw::TextMeasure {
  public:
    float WidthAt96(const std::string& text) override { return 90.0f * text.size(); }
};

class NullView : public bw::EventLogView {
  public:
    void LinesWritten() override {}
    void LinesChanged(std::size_t, std::size_t) override {}
    void ScrollToLastLine() override {}
    void SetColumnWidth(float) override {}
};

void BM_AppendToFullLog(benchmark::State& state) {
    NullMeasure measure;
    NullView view;
    bw::EventLog log(measure, view);
    for (int i = 0; i < 10'000; ++i) log.LogChange("Simulating Mouse: Left Click");
    for (auto _ : state) log.LogChange("Simulating Mouse: Left Click");
    benchmark::DoNotOptimize(log.Count());
}
BENCHMARK(BM_AppendToFullLog);

}  // namespace
