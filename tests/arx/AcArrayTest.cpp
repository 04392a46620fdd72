#include "platform/arx/AcArray.h"

#include <gtest/gtest.h>

#include "platform/arx/AcDbObjectId.h"
#include "platform/arx/AcTransaction.h"

TEST(AcArray, IndexChecksKeepTheArrayIntact) {
    AcArray<int> a;
    a.append(1);
    a.append(2);
    a.insertAt(5, 9);  // past the end: refused
    a.removeAt(-1);
    a.removeAt(2);
    a.swap(0, 7);
    ASSERT_EQ(a.length(), 2);
    EXPECT_EQ(a[0], 1);
    a.insertAt(2, 3);  // at the end: allowed
    EXPECT_EQ(a.find(3), 2);
    EXPECT_TRUE(a.remove(1));
    EXPECT_FALSE(a.contains(1));
    a.setLogicalLength(-4);
    EXPECT_TRUE(a.isEmpty());
}

TEST(AcDbObjectId, NullAndOrdering) {
    EXPECT_TRUE(AcDbObjectId::kNull.isNull());
    AcDbObjectId a(5), b(7);
    EXPECT_LT(a, b);
    EXPECT_TRUE(a.isValid());
}

TEST(AcTransaction, CommitsOnce) {
    AcTransaction t;
    EXPECT_EQ(t.commit(), Acad::eOk);
    EXPECT_EQ(t.commit(), Acad::eInvalidOpenState);
    EXPECT_STREQ(acadErrorStatusText(Acad::eInvalidInput), "eInvalidInput");
}

TEST(AcArray, BoolElementsAreRealReferences) {
    AcArray<bool> flags;
    flags.append(false);
    flags.append(true);
    flags[0] = true;
    const AcArray<bool>& view = flags;
    const bool& first = view[0];
    EXPECT_TRUE(first);
    int count = 0;
    for (bool f : view) count += f ? 1 : 0;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(flags.find(true), 0);
}
