// The tray icon at logon: a shell that is not ready yet, one that restarts, and what
// minimising may do meanwhile.
#include "ui/tray_presence.h"

#include <gtest/gtest.h>

#include "fakes/fake_timer.h"

namespace bw::test {
namespace {

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
