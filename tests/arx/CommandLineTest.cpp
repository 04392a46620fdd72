#include "platform/arx/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, PrintsFormattedWideAndNarrowTextIntoTheCapture) {
    host::CommandLineCapture capture;
    EXPECT_EQ(acutPrintf(L"Load %ls %d\n", L"failed", 3), 14);
    acutPrintf("*Error* %s\n", "x\xc3\xa9");  // narrow text is UTF-8
    EXPECT_EQ(capture.text(), L"Load failed 3\n*Error* x\u00e9\n");
    EXPECT_EQ(host::printedText(), capture.text());
}

TEST(CommandLine, WideFormatsReadPercentSAsWideTextAsTheHostDoes) {
    host::CommandLineCapture capture;
    acutPrintf(L"[%s|%5s|%-3c|%hs|%S|%ld|%lld|%%s]\n", L"wide", L"ab", L'x', "narrow", "N", 7L, 8LL);
    EXPECT_EQ(capture.text(), L"[wide|   ab|x  |narrow|N|7|8|%s]\n");
}

TEST(CommandLine, LongOutputIsNotTruncated) {
    host::CommandLineCapture capture;
    std::wstring long_text(5000, L'x');
    acutPrintf(L"%ls", long_text.c_str());
    EXPECT_EQ(capture.text(), long_text);
}

TEST(CommandLine, CaptureRestoresThePreviousSink) {
    std::wstring outer;
    host::setPrintSink([&](const std::wstring& t) { outer += t; });
    {
        host::CommandLineCapture capture;
        acutPrintf(L"inner");
    }
    acutPrintf(L"outer");
    host::setPrintSink({});
    EXPECT_EQ(outer, L"outer");
}

TEST(CommandLine, HostCallsAreRecordedInOrder) {
    host::clearEvents();
    acedPostCommand(L"_REGEN ");
    acedPostCommandPrompt();
    acedUpdateDisplay();
    host::beginEditorCommand();
    EXPECT_TRUE(host::inEditorCommand());
    host::completeEditorCommand();
    EXPECT_FALSE(host::inEditorCommand());
    host::cancelEditorCommand();  // unbalanced cancel must not underflow
    EXPECT_FALSE(host::inEditorCommand());

    const auto& e = host::events();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0].kind, host::EventKind::PostCommand);
    EXPECT_EQ(e[0].text, L"_REGEN ");
    EXPECT_EQ(e[1].kind, host::EventKind::PostCommandPrompt);
    EXPECT_EQ(e[2].kind, host::EventKind::UpdateDisplay);
    EXPECT_EQ(e[3].kind, host::EventKind::BeginEditorCommand);
    EXPECT_EQ(e[4].kind, host::EventKind::CompleteEditorCommand);
    EXPECT_EQ(e[5].kind, host::EventKind::CancelEditorCommand);
}
