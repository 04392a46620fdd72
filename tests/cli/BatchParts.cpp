// The parts of a batch run below the command: the result record that crosses the pipe, the worker
// pool, the summary and report, and the progress line.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid, usleep

#include <csignal>
#include <cstdlib>  // abort
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "cli/BatchPool.h"
#include "cli/BatchProgress.h"
#include "cli/BatchReport.h"
#include "cli/BatchResult.h"

namespace {

using connsheet::BatchResult;

BatchResult sample() {
    BatchResult r;
    r.index = 123456789012ull;
    r.status = BatchResult::Status::failed;
    r.problem = std::string("line one\nline two\0with a NUL", 28);
    r.outputs = {{"Width", "200.0000000"}, {"", ""}, {"Name", "tab\there"}};
    r.warnings = {"w1", ""};
    r.failedEquations = {"sheet.vls: A3: X = 1/0"};
    r.notSet = {"Pitch"};
    r.macro = "{\"name\":\"x\"}";
    return r;
}

TEST(BatchResult, CrossesThePipeWhole) {
    const BatchResult original = sample();
    BatchResult back;
    ASSERT_TRUE(connsheet::decodeBatchResult(connsheet::encodeBatchResult(original), back));
    EXPECT_EQ(back.index, original.index);
    EXPECT_EQ(back.status, original.status);
    EXPECT_EQ(back.problem, original.problem);
    EXPECT_EQ(back.outputs, original.outputs);
    EXPECT_EQ(back.warnings, original.warnings);
    EXPECT_EQ(back.failedEquations, original.failedEquations);
    EXPECT_EQ(back.notSet, original.notSet);
    EXPECT_EQ(back.macro, original.macro);
}

TEST(BatchResult, TruncatedOrPaddedOrCorruptBytesAreRefused) {
    const std::string bytes = connsheet::encodeBatchResult(sample());
    BatchResult back;
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(connsheet::decodeBatchResult(std::string_view(bytes).substr(0, size), back)) << size;
    EXPECT_FALSE(connsheet::decodeBatchResult(bytes + "x", back));
    std::string badStatus = bytes;
    badStatus[8] = 9;  // after the 8-byte index
    EXPECT_FALSE(connsheet::decodeBatchResult(badStatus, back));
    std::string hugeCount = bytes;
    for (int i = 0; i < 8; ++i)
        hugeCount[16 + i] = '\xff';  // the problem's length
    EXPECT_FALSE(connsheet::decodeBatchResult(hugeCount, back));
}

TEST(BatchPool, AWorkerThatDiesCostsOnlyItsItemAndTheRestIsDone) {
    // Few items (a worker takes one at a time) and many (it takes runs, and dies in the middle of one,
    // at its first item, at its last).
    struct Case {
        std::size_t count;
        int workers;
    };
    for (const Case& c : {Case{12, 1}, Case{12, 2}, Case{12, 3}, Case{12, 20}, Case{700, 2}, Case{700, 3}}) {
        SCOPED_TRACE(std::to_string(c.count) + " items, " + std::to_string(c.workers) + " workers");
        const std::size_t run = connsheet::batchRunLength(c.count, static_cast<std::size_t>(c.workers));
        const std::set<std::size_t> aborting = {2, 3, 9, run * 5, run * 5 + 1, run * 7 - 1, c.count - 1};
        const std::size_t killed = 5;
        std::size_t reported = 0;
        connsheet::BatchPoolCallbacks callbacks;
        callbacks.work = [&](std::size_t index) {
            if (aborting.count(index))
                std::abort();
            if (index == killed)
                std::raise(SIGKILL);
            BatchResult r;
            r.status = BatchResult::Status::succeeded;
            r.outputs = {{"square", std::to_string(index * index)}};
            return r;
        };
        callbacks.done = [&](const BatchResult&) { ++reported; };
        const auto results = connsheet::runBatchInWorkers(c.count, c.workers, callbacks);
        ASSERT_EQ(results.size(), c.count);
        EXPECT_EQ(reported, c.count);
        for (std::size_t i = 0; i < results.size(); ++i) {
            EXPECT_EQ(results[i].index, i);
            if (aborting.count(i)) {
                EXPECT_EQ(results[i].status, BatchResult::Status::crashed) << i;
                EXPECT_NE(results[i].problem.find("signal 6"), std::string::npos) << results[i].problem;
            } else if (i == killed) {
                EXPECT_EQ(results[i].status, BatchResult::Status::crashed);
                EXPECT_NE(results[i].problem.find("signal 9"), std::string::npos) << results[i].problem;
            } else {
                ASSERT_TRUE(results[i].succeeded()) << i << ": " << results[i].problem;
                EXPECT_EQ(results[i].outputs.at(0).second, std::to_string(i * i));
            }
        }
    }
    EXPECT_TRUE(connsheet::runBatchInWorkers(0, 2, {}).empty());
    EXPECT_GE(connsheet::availableCores(), 1);
}

TEST(BatchPool, AWorkerHeldUpByOneItemLeavesTheRestToTheOthers) {
    // Item 0 takes long; the other worker does nearly everything else meanwhile instead of waiting
    // with a fixed share of its own.
    const std::size_t count = 400;
    connsheet::BatchPoolCallbacks callbacks;
    callbacks.work = [](std::size_t index) {
        if (index == 0)
            ::usleep(400000);
        BatchResult r;
        r.status = BatchResult::Status::succeeded;
        r.outputs = {{"worker", std::to_string(::getpid())}};
        return r;
    };
    const auto results = connsheet::runBatchInWorkers(count, 2, callbacks);
    std::map<std::string, std::size_t> done;
    for (const BatchResult& r : results) {
        ASSERT_TRUE(r.succeeded()) << r.problem;
        ++done[r.outputs.at(0).second];
    }
    ASSERT_EQ(done.size(), 2u);
    const std::size_t slow = done[results[0].outputs.at(0).second];
    EXPECT_LE(slow, 2 * connsheet::batchRunLength(count, 2)) << "the held-up worker did " << slow;
}

TEST(BatchPool, ResultsLargerThanThePipeArriveWhole) {
    connsheet::BatchPoolCallbacks callbacks;
    callbacks.work = [](std::size_t index) {
        BatchResult r;
        r.status = BatchResult::Status::succeeded;
        r.macro = std::string(200000 + index, static_cast<char>('a' + index));
        return r;
    };
    const auto results = connsheet::runBatchInWorkers(6, 2, callbacks);
    for (std::size_t i = 0; i < results.size(); ++i) {
        ASSERT_TRUE(results[i].succeeded()) << results[i].problem;
        EXPECT_EQ(results[i].macro, std::string(200000 + i, static_cast<char>('a' + i)));
    }
}

TEST(BatchReport, SummaryCountsAndTalliesMostFrequentFirst) {
    std::vector<BatchResult> results(4);
    std::vector<std::string> names = {"a.json", "b.json", "c.json", "d.json"};
    for (std::size_t i = 0; i < results.size(); ++i)
        results[i].index = i;
    results[0].status = BatchResult::Status::succeeded;
    results[1].failedEquations = {"s.vls: A1: X = Y"};
    results[1].notSet = {"Pitch"};
    results[2].failedEquations = {"s.vls: A2: Z = 1/0", "s.vls: A1: X = Y"};
    results[3].status = BatchResult::Status::unreadable;
    results[3].problem = "/tabs: expected an array";
    std::ostringstream out;
    connsheet::printBatchSummary(results, names, 2.0, out);
    EXPECT_EQ(out.str(),
              "runs: 4, succeeded: 1, failed: 3 (unreadable: 1, crashed: 0)\n"
              "  unreadable: d.json: /tabs: expected an array\n"
              "failed equations:\n"
              "  2 x s.vls: A1: X = Y\n"
              "  1 x s.vls: A2: Z = 1/0\n"
              "outputs not set:\n"
              "  1 x Pitch\n"
              "time: 2.000 s (2 runs/s)\n");
}

TEST(BatchReport, CsvFieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(connsheet::csvField("plain text"), "plain text");
    EXPECT_EQ(connsheet::csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(connsheet::csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(connsheet::csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(connsheet::csvField(""), "");
}

TEST(BatchProgress, LineShowsCountRateAndTimeLeft) {
    EXPECT_EQ(connsheet::progressLine(0, 100, 0.0, 10), "[..........]  0/100  ?/s  ? left");
    EXPECT_EQ(connsheet::progressLine(25, 100, 0.5, 10), "[##........]  25/100  50/s  0:02 left");
    EXPECT_EQ(connsheet::progressLine(100, 100, 2.0, 10), "[##########]  100/100  50/s  0:00 left");
    // Hours are counted in minutes: the line stays short.
    EXPECT_EQ(connsheet::progressLine(1, 10000, 1.0, 4), "[....]  1/10000  1/s  166:39 left");
    std::ostringstream log;
    connsheet::BatchProgress quiet(log, 3, false);
    quiet.advance();
    quiet.finish();
    EXPECT_EQ(log.str(), "");  // a log of a short run gets no progress lines
}

}  // namespace
