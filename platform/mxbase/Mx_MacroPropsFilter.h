#pragma once
// The core library's filter over a set of macro drawings: which of them the macro selection offers.
// The selection dialog hands it the macro names with their visibility and two numbers whose meaning is
// the core library's own.
#include "platform/arx/AcArray.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_MacroPropsFilter {
public:
    void initialize(const Mx_StringArray& names, const AcArray<bool>& visible, int a, int b) {
        m_names = names;
        m_visible = visible;
        m_a = a;
        m_b = b;
    }
    const Mx_StringArray& names() const { return m_names; }
    const AcArray<bool>& visible() const { return m_visible; }
    int first() const { return m_a; }
    int second() const { return m_b; }

private:
    Mx_StringArray m_names;
    AcArray<bool> m_visible;
    int m_a = 0;
    int m_b = 0;
};
