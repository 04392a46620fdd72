#include "platform/mfc/StepScript.h"

#include <gtest/gtest.h>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"

namespace {

std::string refusal(std::string_view text) {
    std::string error;
    EXPECT_FALSE(ui::StepScript::parse(text, "steps.txt", &error).has_value()) << text;
    return error;
}

TEST(StepScript, ReadsEveryVerbWithQuotedTextsAndModifiers) {
    std::string error;
    const auto script = ui::StepScript::parse(
        "# fill in\n"
        "type 1001 \"Base \\\"A\\\"\\nplate\"\n"
        "\n"
        "click IDOK shift ctrl  # trailing comment\n"
        "select 1007 \"Cut\"\n"
        "select 1009 2\n"
        "press F4 alt\n"
        "press a\n"
        "mouse-down 1009 10 -5 right shift\n"
        "resize 400 300\n"
        "close\n",
        "steps.txt", &error);
    ASSERT_TRUE(script) << error;
    const auto& steps = script->steps();
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps[0].text, L"Base \"A\"\nplate");
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].id, IDOK);
    EXPECT_EQ(steps[1].keys, ui::Keys::Shift | ui::Keys::Ctrl);
    EXPECT_EQ(steps[2].text, L"Cut");
    EXPECT_EQ(steps[3].numbers, std::vector<int>{2});
    EXPECT_EQ(steps[4].numbers, std::vector<int>{int(VK_F4)});
    EXPECT_EQ(steps[5].numbers, std::vector<int>{'A'});
    EXPECT_EQ(steps[6].numbers, (std::vector<int>{10, -5}));
    EXPECT_EQ(steps[6].button, ui::MouseButton::Right);
}

TEST(StepScript, RefusesTheWholeFileAtTheFirstBadLineWithItsNumber) {
    EXPECT_EQ(refusal("click IDOK\nclik 3\n"), "steps.txt:2: unknown step \"clik\"");
    EXPECT_EQ(refusal("type 1001 abc"), "steps.txt:1: type needs a text in double quotes after the control");
    EXPECT_EQ(refusal("type 1001 \"open"), "steps.txt:1: text not closed with \"");
    EXPECT_EQ(refusal("type 1001 \"a\\q\""), "steps.txt:1: unknown escape \\q");
    EXPECT_EQ(refusal("click"), "steps.txt:1: click needs a control: a number or IDOK, IDCANCEL, ...");
    EXPECT_EQ(refusal("click 12x"), "steps.txt:1: click needs a control: a number or IDOK, IDCANCEL, ...");
    EXPECT_EQ(refusal("press F13"),
              "steps.txt:1: press needs a key: RETURN, ESCAPE, TAB, F1-F12, a letter, ...");
    EXPECT_EQ(refusal("focus 3 shift"), "steps.txt:1: unexpected \"shift\" after focus");
    EXPECT_EQ(refusal("select 3 -1"), "steps.txt:1: \"-1\" is no item index");
    EXPECT_EQ(refusal("resize 10"), "steps.txt:1: resize needs a width and a height");
    EXPECT_EQ(refusal("mouse-up 3 1"),
              "steps.txt:1: mouse-up needs a point: x y in the control's client area");
    EXPECT_EQ(refusal("click 99999999999999"),
              "steps.txt:1: click needs a control: a number or IDOK, IDCANCEL, ...");
}

TEST(StepScript, PlaysOnADialogAsAUserWould) {
    ui::resetMessageQueue();
    AfxSetResourceHandle(ui::platformResources());
    CDialog dialog(9001);
    ASSERT_TRUE(dialog.Create(9001));
    dialog.ShowWindow(SW_SHOW);
    std::string error;
    const auto script =
        ui::StepScript::parse("type 1001 \"Base plate\"\nclick 1002\nselect 1009 0\n", "steps.txt", &error);
    ASSERT_TRUE(script) << error;
    ui::Automation dlg(dialog);
    std::vector<std::wstring> problems;
    ui::setProblemReporter([&](const std::wstring& problem) { problems.push_back(problem); });
    // The sample template has no list items: selecting one is a problem a user would meet too.
    script->run(dlg);
    ui::setProblemReporter({});
    EXPECT_EQ(dlg.text(1001), L"Base plate");
    EXPECT_EQ(dlg.checked(1002), BST_CHECKED);
    EXPECT_EQ(problems.size(), 1u);
    dialog.DestroyWindow();
    AfxSetResourceHandle(nullptr);
}

}  // namespace
