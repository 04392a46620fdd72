#pragma once
// The core's resizer: keeps a dialog's controls anchored to the dialog's edges when it is resized.
//
// Each rule names a control and the dialog edges it follows. A control anchored left and right
// stretches with the width; anchored right only, it moves with the right edge keeping its width;
// anchored left only (or neither) it stays. The same holds vertically with top and bottom. Rules are
// taken relative to the layout when Init is called, so call it after the controls are placed and
// before the stored size is restored:
//     static const CResizer::Rule rules[] = {{IDC_TAB, CResizer::All}, {IDOK, CResizer::BottomRight}};
//     m_resizer.Init(this, rules);
//     ...
//     void OnSize(UINT type, int cx, int cy) { CDialog::OnSize(type, cx, cy); m_resizer.Move(); }
#include <initializer_list>
#include <span>
#include <vector>

#include "platform/mfc/CRect.h"

class CWnd;

class CResizer {
public:
    enum Anchor : unsigned {
        None = 0,
        Left = 1,
        Top = 2,
        Right = 4,
        Bottom = 8,
        TopLeft = Left | Top,
        TopRight = Right | Top,
        BottomLeft = Left | Bottom,
        BottomRight = Right | Bottom,
        LeftRight = Left | Right,  // stretches horizontally, stays at the top
        TopBottom = Top | Bottom,  // stretches vertically, stays at the left
        All = Left | Top | Right | Bottom,
    };
    struct Rule {
        int id;
        unsigned anchors;
    };

    // Records the dialog's client size and every ruled control's rectangle. Rules naming controls the
    // dialog does not have are skipped; returns how many controls are handled.
    int Init(CWnd* dialog, std::span<const Rule> rules);
    int Init(CWnd* dialog, std::initializer_list<Rule> rules) { return Init(dialog, std::span<const Rule>(rules.begin(), rules.size())); }
    // Adds one more control after Init (for controls created in place of placeholders later).
    bool Add(int id, unsigned anchors);
    // Moves the controls for the dialog's current client size. Nothing happens before Init or after
    // the dialog is destroyed. A size smaller than the one at Init never turns a control inside out:
    // its width and height stay at least 0.
    void Move();
    int Count() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        int id;
        unsigned anchors;
        CRect initial;  // in the dialog's client coordinates at Init
    };
    CWnd* m_dialog = nullptr;
    CRect m_initialClient;
    std::vector<Entry> m_entries;
};
