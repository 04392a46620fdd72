#pragma once
// Test-only helpers (include from tests, never from library code): turns the driver's leftovers into
// test failures.
#include <gtest/gtest.h>

#include "platform/arx/Utf8.h"
#include "platform/mfc/ScriptedDriver.h"

namespace ui {

// Fails the current test for every unfinished dialog and automation problem, and for steps left over.
inline void expectDriverDone(const ScriptedDriver& driver) {
    for (const std::wstring& d : driver.unfinishedDialogs()) ADD_FAILURE() << "dialog left open: " << utf8::encode(d);
    for (const std::wstring& p : driver.problems()) ADD_FAILURE() << "automation: " << utf8::encode(p);
    EXPECT_EQ(driver.remainingSteps(), 0u) << "steps were never run";
}

}  // namespace ui
