// The event log: the newest line in view, the column that only widens,
// and the bound that keeps a months-long run from growing without end.
#include "ui/event_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace bw::test {
namespace {

// Every character 100 twips wide, so a text's width is easy to predict.
class FixedWidthMeasure : public TextMeasure {
  public:
    float WidthInTwips(const std::string& text) override { return 100.0f * text.size(); }
};

class RecordingLogView : public EventLogView {
  public:
    std::size_t count = 0, dropped = 0, scrolls = 0;
    std::vector<float> widths;
    void LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) override {
        count = lineCount;
        dropped += droppedAtFront;
    }
    void ScrollToLastLine() override { ++scrolls; }
    void SetColumnWidthTwips(float w) override { widths.push_back(w); }
};

class EventLogTest : public ::testing::Test {
  protected:
    FixedWidthMeasure measure;
    RecordingLogView view;
    EventLog log{measure, view};
};

TEST_F(EventLogTest, FirstLineOfAnyLengthGivesTheColumnAtLeastItsMargin) {
    EXPECT_EQ(log.ColumnWidthTwips(), 300.0f);
    log.LogChange("");
    EXPECT_EQ(log.ColumnWidthTwips(), 480.0f);
    EXPECT_EQ(view.widths, std::vector<float>{480.0f});
}

TEST_F(EventLogTest, ColumnWidensForLongerTextsAndNeverNarrows) {
    log.LogChange("0123456789");    // 1000 + 480
    log.LogChange("01234");         // shorter: unchanged
    log.LogChange("0123456789");    // equal: unchanged
    log.LogChange("0123456789AB");  // 1200 + 480

    EXPECT_EQ(view.widths, (std::vector<float>{1480.0f, 1680.0f}));
    EXPECT_EQ(log.ColumnWidthTwips(), 1680.0f);
}

TEST_F(EventLogTest, KeepsTheNewestTenThousandLinesAndTellsTheViewWhatWentAtTheFront) {
    for (int i = 0; i < 10'005; ++i) log.LogData(std::to_string(i));

    ASSERT_EQ(log.Count(), 10'000u);
    EXPECT_EQ(log.Line(0).text, "5");
    EXPECT_EQ(log.Line(9'999).text, "10004");
    EXPECT_EQ(view.count, 10'000u);
    EXPECT_EQ(view.dropped, 5u);
    EXPECT_EQ(view.scrolls, 10'005u);
}

}  // namespace
}  // namespace bw::test
