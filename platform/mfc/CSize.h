#pragma once
// MFC's CSize: a SIZE with arithmetic.
#include "platform/mfc/Win32Types.h"

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int width, int height) : SIZE{width, height} {}
    CSize(SIZE s) : SIZE(s) {}

    CSize operator+(SIZE o) const { return {cx + o.cx, cy + o.cy}; }
    CSize operator-(SIZE o) const { return {cx - o.cx, cy - o.cy}; }
    // Hidden friends, not members: with a member taking the base type, C++20's reversed candidate for
    // CSize == CSize ties with the written one; "!=" is rewritten from "==".
    friend bool operator==(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }
};
