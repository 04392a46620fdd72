#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_StringArray.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/arx/CommandLine.h"

namespace {

TEST(StringArray, FindOptionFalseIgnoresCase) {
    Mx_StringArray names{L"Width", L"Length", L"width"};
    int index = -2;
    EXPECT_TRUE(names.find(L"WIDTH", index, false));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(names.find(L"width", index, true));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(names.find(L"Height", index, false));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(names.contains(L"LENGTH", false));
    EXPECT_FALSE(names.contains(L"LENGTH"));
}

TEST(StringArray, BadIndexesChangeNothingAndPrintTheHostError) {
    Mx_StringArray names{L"a", L"b"};
    host::CommandLineCapture capture;
    EXPECT_FALSE(names.removeAt(2));
    EXPECT_FALSE(names.removeAt(-1));
    EXPECT_EQ(capture.text(),
              L"*Error* Invalid index passed to remove.\n*Error* Invalid index passed to remove.\n");
    EXPECT_FALSE(names.insertAt(3, L"x"));
    EXPECT_FALSE(names.swap(0, 2));
    EXPECT_EQ(names, (Mx_StringArray{L"a", L"b"}));

    EXPECT_TRUE(names.insertAt(2, L"c"));  // at the end is valid
    EXPECT_TRUE(names.swap(0, 2));
    EXPECT_TRUE(names.removeAt(1));
    EXPECT_EQ(names, (Mx_StringArray{L"c", L"a"}));
    EXPECT_EQ(names.at(5), L"");
}

TEST(StringArray, SetLogicalLengthGrowsWithEmptyStrings) {
    Mx_StringArray names{L"a"};
    names.setLogicalLength(3);
    EXPECT_EQ(names, (Mx_StringArray{L"a", L"", L""}));
    names.setLogicalLength(-1);
    EXPECT_TRUE(names.isEmpty());
    names.append(L"x");
    names.append(names);  // appending itself doubles it
    EXPECT_EQ(names, (Mx_StringArray{L"x", L"x"}));
}

// Counts live instances so that ownership faults (leaks, double deletes) show up as wrong counts.
struct Tracked {
    static inline int alive = 0;
    int value = 0;
    Tracked() { ++alive; }
    explicit Tracked(int v) : value(v) { ++alive; }
    Tracked(const Tracked& other) : value(other.value) { ++alive; }
    ~Tracked() { --alive; }
    bool operator==(const Tracked& other) const { return value == other.value; }
};

TEST(MxArray, OwnsAndCopiesItsElements) {
    Tracked::alive = 0;
    {
        Mx_Array<Tracked> items;
        items.append(new Tracked(1));
        items.append(Tracked(2));
        EXPECT_EQ(items.append(static_cast<Tracked*>(nullptr)), -1);
        EXPECT_EQ(Tracked::alive, 2);

        Mx_Array<Tracked> copy(items);
        copy[0].value = 10;
        EXPECT_EQ(items[0].value, 1);  // deep copy
        EXPECT_EQ(Tracked::alive, 4);

        copy = items;
        EXPECT_TRUE(copy == items);
        EXPECT_EQ(Tracked::alive, 4);

        Tracked* detached = copy.detachAt(0);
        EXPECT_EQ(copy.length(), 1);
        delete detached;
        EXPECT_TRUE(copy.removeAt(0));
        EXPECT_EQ(Tracked::alive, 2);

        items.setLogicalLength(4);
        EXPECT_EQ(Tracked::alive, 4);
        items.setLogicalLength(1);
        EXPECT_EQ(Tracked::alive, 1);

        // A refused insert still takes the pointer, so the caller never leaks it.
        host::CommandLineCapture capture;
        EXPECT_FALSE(items.insertAt(5, new Tracked(9)));
        EXPECT_EQ(Tracked::alive, 1);
    }
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(MxArray, RemoveAtOutsidePrintsTheErrorLine) {
    Mx_Array<Tracked> items;
    items.append(Tracked(1));
    host::CommandLineCapture capture;
    EXPECT_FALSE(items.removeAt(99));
    EXPECT_EQ(capture.text(), L"*Error* Invalid index passed to remove.\n");
    EXPECT_EQ(items.length(), 1);
    EXPECT_EQ(items.at(99), nullptr);
}

TEST(MxArray, IteratesOverElements) {
    Mx_Array<Mx_StringArray> rows;
    rows.append(Mx_StringArray{L"a", L"b"});
    rows.append(new Mx_StringArray{L"c"});
    std::wstring all;
    for (const Mx_StringArray& row : rows) {
        for (const Mx_String& cell : row)
            all += cell.str();
    }
    EXPECT_EQ(all, L"abc");
    int index = -1;
    EXPECT_TRUE(rows.find(Mx_StringArray{L"c"}, index));
    EXPECT_EQ(index, 1);

    Mx_StringArray* second = rows.at(1);
    rows.sort([](const Mx_StringArray& a, const Mx_StringArray& b) { return a.length() < b.length(); });
    EXPECT_EQ(rows.at(0), second);  // sorting moves the pointers, not the rows
    static_assert(std::random_access_iterator<Mx_Array<Tracked>::iterator>);
    static_assert(std::random_access_iterator<Mx_Array<Tracked>::const_iterator>);
}

}  // namespace
