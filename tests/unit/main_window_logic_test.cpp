// What the main window keeps up over months: the event log (a write stores a line and only
// says so, the view learns of a whole burst at once, the newest line in view, the column
// that only widens, the bound that keeps the log from growing without end) and the tray icon
// (a shell that is not ready yet at logon, one that restarts).
#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_timer.h"
#include "ui/event_log.h"
#include "ui/tray_presence.h"

namespace bw::test {
namespace {

// Every character 100 twips wide, so a text's width is easy to predict.
class FixedWidthMeasure : public TextMeasure {
  public:
    int measured = 0;
    float WidthInTwips(const std::string& text) override {
        ++measured;
        return 100.0f * text.size();
    }
};

class RecordingLogView : public EventLogView {
  public:
    std::size_t told = 0, changes = 0, count = 0, dropped = 0, scrolls = 0;
    std::vector<float> widths;
    void LinesWritten() override { ++told; }
    void LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) override {
        ++changes;
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

TEST_F(EventLogTest, ABurstOfLinesIsToldOnceAndShownInOneChange) {
    for (int i = 0; i < 50; ++i) log.LogChange("F5");
    EXPECT_EQ(view.told, 1u);
    EXPECT_EQ(view.changes + view.scrolls + view.widths.size(), 0u) << "drawn on the way";
    EXPECT_EQ(measure.measured, 0);

    log.ShowWrittenLines();
    log.ShowWrittenLines();  // nothing new: nothing to draw
    EXPECT_EQ(view.changes, 1u);
    EXPECT_EQ(view.count, 50u);
    EXPECT_EQ(view.scrolls, 1u);
    EXPECT_EQ(measure.measured, 1) << "one text, measured once";

    log.LogChange("F5");
    EXPECT_EQ(view.told, 2u);
    log.ShowWrittenLines();
    EXPECT_EQ(measure.measured, 1);
}

TEST_F(EventLogTest, ColumnWidensForTheWidestNewTextAndNeverNarrows) {
    log.LogChange("");  // any text gets its margin
    log.ShowWrittenLines();
    log.LogChange("0123456789");    // 1000 + 480
    log.LogChange("0123456789AB");  // 1200 + 480
    log.LogChange("01234");         // shorter
    log.ShowWrittenLines();
    log.LogChange("0123456789");  // narrower than the column
    log.ShowWrittenLines();

    EXPECT_EQ(view.widths, (std::vector<float>{480.0f, 1680.0f}));
}

TEST_F(EventLogTest, KeepsTheNewestTenThousandLinesAndTellsTheViewWhatWentAtTheFront) {
    for (int i = 0; i < 10'002; ++i) log.LogData(std::to_string(i));
    log.ShowWrittenLines();
    for (int i = 10'002; i < 10'005; ++i) log.LogData(std::to_string(i));
    log.ShowWrittenLines();

    ASSERT_EQ(log.Count(), 10'000u);
    EXPECT_EQ(log.Line(0).text, "5");
    EXPECT_EQ(log.Line(9'999).text, "10004");
    EXPECT_EQ(view.count, 10'000u);
    EXPECT_EQ(view.dropped, 5u);
    EXPECT_EQ(view.changes, 2u);
}

// Turns down as many adds as it is told before it takes one.
struct FakeNotifyArea : NotifyArea {
    int refusals = 0, adds = 0, removes = 0;
    bool AddIcon() override {
        ++adds;
        return refusals-- <= 0;
    }
    void RemoveIcon() override { ++removes; }
};

TEST(TrayPresenceTest, AFailedAddIsRetriedEveryTwoSecondsAndMinimisingHidesOnlyWithAnIcon) {
    FakeNotifyArea area;
    FakeTimer timer;
    TrayPresence tray(area, timer);
    area.refusals = 2;
    tray.AddTrayIcon();
    EXPECT_FALSE(tray.IconShown());
    EXPECT_EQ(timer.interval, 2000);
    EXPECT_TRUE(timer.Tick());
    EXPECT_FALSE(tray.IconShown());
    EXPECT_TRUE(timer.Tick());
    EXPECT_TRUE(tray.IconShown());
    EXPECT_FALSE(timer.Tick()) << "no retry once it is up";
    EXPECT_EQ(area.adds, 3);

    // The shell restarts: the icon goes up again, or is retried until the taskbar takes it.
    area.refusals = 1;
    tray.TaskbarCreated();
    EXPECT_FALSE(tray.IconShown());
    EXPECT_TRUE(timer.Tick());
    EXPECT_TRUE(tray.IconShown());

    tray.RemoveTrayIcon();
    EXPECT_EQ(area.removes, 1);
    tray.TaskbarCreated();  // after exit began, nothing comes back
    EXPECT_EQ(area.adds, 5);
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace bw::test
