#pragma once
// MFC's CPoint: a POINT with arithmetic.
#include "platform/mfc/Win32Types.h"

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(POINT p) : POINT(p) {}
    // A point packed in an LPARAM, as mouse messages carry it.
    explicit CPoint(LPARAM packed) : POINT{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)} {}

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void SetPoint(int px, int py) { x = px; y = py; }
    CPoint operator+(POINT o) const { return {x + o.x, y + o.y}; }
    CPoint operator-(POINT o) const { return {x - o.x, y - o.y}; }
    CPoint operator-() const { return {-x, -y}; }
    CPoint& operator+=(POINT o) { x += o.x; y += o.y; return *this; }
    CPoint& operator-=(POINT o) { x -= o.x; y -= o.y; return *this; }
    // Hidden friends, not members: with a member taking the base type, C++20's reversed candidate for
    // CPoint == CPoint ties with the written one; "!=" is rewritten from "==".
    friend bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
};
