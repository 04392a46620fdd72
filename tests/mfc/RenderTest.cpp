#include "platform/mfc/WindowRenderer.h"

#include <gtest/gtest.h>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Window.h"

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::resetMessageQueue();
        AfxSetResourceHandle(ui::platformResources());
    }
    void TearDown() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(RenderTest, SampleDialog) {
    CDialog dialog(9001);
    ASSERT_TRUE(dialog.Create(9001));
    const ui::BitmapImage picture = ui::renderWindow(dialog.GetSafeHwnd());
    const RECT frame = ui::frameInsets(dialog.GetStyle(), dialog.GetExStyle());
    EXPECT_EQ(picture.width(), 330 + frame.left + frame.right);
    ui::expectMatchesGolden(picture, "sample_dialog");
    dialog.DestroyWindow();
}

}  // namespace
