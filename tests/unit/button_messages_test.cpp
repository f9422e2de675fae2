// One button line in the main window: the receive animation, the hand-off to the Add Action
// dialog while it learns a button, the dispatch with its failure guard, and the bytes'
// encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_message_boxes.h"
#include "fakes/fake_program_folder.h"
#include "fakes/fake_status_display.h"
#include "fakes/recording_log.h"
#include "platform/failure.h"
#include "remote/button_messages.h"

namespace bw::test {
namespace {

using Texts = std::vector<std::string>;

class FakeDialog : public LearnMode {
  public:
    bool open = true, fail = false;
    Texts learnt;
    bool IsOpen() const override { return open; }
    void Learn(const std::string& name) override {
        if (fail) throw Failure(91, "Object variable or With block variable not set");
        learnt.push_back(name);
    }
};

class ButtonMessagesTest : public ::testing::Test {
  protected:
    FakeStatusDisplay display;
    FakeMessageBoxes boxes;
    RecordingLog log;
    LineFailureReport failures{boxes, log};
    Latin1CodePage ansi;
    Texts dispatched;
    ButtonMessages buttons{display, failures, ansi,
                           [this](const std::string& name, std::int16_t count) {
                               dispatched.push_back(name + " " + std::to_string(count));
                           }};
    FakeDialog dialog;
};

TEST_F(ButtonMessagesTest, EveryLineIsDispatchedWithItsButtonAndCountInUtf8OrTheAnsiCodePage) {
    buttons.OnLine("000000000000f40b 0a PLAY remote1");
    buttons.OnLine("0 00");  // malformed: an empty button name
    buttons.OnLine("0 00 Gr\xC3\xBC\xC3\x9F r");
    buttons.OnLine("0 00 Gr\xFC\xDF r");
    EXPECT_EQ(dispatched, (Texts{"PLAY 10", " 0", "Gr\xC3\xBC\xC3\x9F 0", "Gr\xC3\xBC\xC3\x9F 0"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ButtonMessagesTest, TheAnimationStepsOnEveryThirdCountAndCyclesThroughSixFrames) {
    for (int count = 0; count <= 6; ++count)
        buttons.ProcessKeys("0 0" + std::to_string(count) + " UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3}));
    buttons.ProcessKeys("0 0c UP r");
    buttons.ProcessKeys("0 0a UP r");  // 10: no step
    for (int press = 0; press < 3; ++press) buttons.ProcessKeys("0 00 UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
}

TEST_F(ButtonMessagesTest, AnOpenAddActionDialogLearnsEveryButtonAndAFailureThereIsShown) {
    buttons.ProcessKeys("0 00 PLAY r");  // no dialog yet
    buttons.SetLearnMode(&dialog);
    dialog.open = false;
    buttons.ProcessKeys("0 00 STOP r");
    dialog.open = true;
    buttons.ProcessKeys("0 00 UP r");
    buttons.ProcessKeys("0 00 DOWN r");
    EXPECT_EQ(dialog.learnt, (Texts{"UP", "DOWN"}));
    EXPECT_EQ(dispatched.size(), 4u);

    // A failing dialog shows a box and the line is not dispatched.
    dialog.fail = true;
    buttons.ProcessKeys("0 00 UP r");
    EXPECT_EQ(dispatched.size(), 4u);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Object variable or With block variable not set",
                                                   "Error happened", 0x10}}));
}

}  // namespace
}  // namespace bw::test
