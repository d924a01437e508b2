// Closing the main window: the exit prompt belongs to a running program with
// its store; a window without one (the start-up failed) closes silently.

#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "platform/MessageBox.h"
#include "tests/support/FixtureStore.h"
#include "tests/support/TempDir.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

class ClosingMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearShownMessages();
        platform::SetAutoAnswer(true, platform::MessageAnswer::No);
    }
    void TearDown() override {
        platform::SetAutoAnswer(false);
        platform::ClearShownMessages();
    }
};

TEST_F(ClosingMainWindow, WithoutStoreNoPrompt) {
    MainWindow window;
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(ClosingMainWindow, WithStorePromptsOnceEvenWhenClosedAgain) {
    TempDir dir;
    MainWindow window;
    window.AttachStore(MakeFixtureStore(dir.file("caipiao.edb"), TwelveDraws()));
    window.show();
    EXPECT_TRUE(window.close());
    window.show();
    EXPECT_TRUE(window.close());
    ASSERT_EQ(platform::ShownMessages().size(), 1u);
    EXPECT_EQ(platform::ShownMessages()[0].text, u"是否保存这次的备选号！"_s);
}

}  // namespace
}  // namespace tricala::test
