#include "platform/mfc/RectTracker.h"

#include <gtest/gtest.h>

namespace {

// Records what tracking reported, and snaps to a 5-pixel grid like the designer does.
class SnappingTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    std::vector<CRect> changes;
    bool snap = false;
    void AdjustRect(int, LPRECT rect) override
    {
        if (!snap)
            return;
        auto round = [](LONG v) { return LONG((v + 2) / 5 * 5); };
        rect->left = round(rect->left), rect->top = round(rect->top);
        rect->right = round(rect->right), rect->bottom = round(rect->bottom);
    }
    void OnChangedRect(const CRect& old) override { changes.push_back(old); }
};

struct Clean {
    Clean() { ui::clearTrackerDrags(); }
    ~Clean() { ui::clearTrackerDrags(); }
};

}  // namespace

TEST(RectTracker, HitTestFindsHandlesThenTheMiddle)
{
    CRect rect(10, 10, 60, 40);
    CRectTracker tracker(&rect, CRectTracker::solidLine | CRectTracker::resizeInside);
    struct Case {
        CPoint at;
        int hit;
    };
    for (const Case& c : {Case{{11, 11}, CRectTracker::hitTopLeft}, Case{{58, 38}, CRectTracker::hitBottomRight},
                          Case{{33, 11}, CRectTracker::hitTop}, Case{{11, 24}, CRectTracker::hitLeft},
                          Case{{30, 25}, CRectTracker::hitMiddle}, Case{{5, 5}, CRectTracker::hitNothing}}) {
        SCOPED_TRACE(c.hit);
        EXPECT_EQ(tracker.HitTest(c.at), c.hit);
    }
    // Without a resize style there are no handles, only the middle.
    tracker.m_nStyle = CRectTracker::solidLine;
    EXPECT_EQ(tracker.HitTest({11, 11}), CRectTracker::hitMiddle);
    // Too small for side handles: only corners.
    tracker.m_nStyle = CRectTracker::resizeOutside;
    tracker.m_rect = CRect(0, 0, 10, 10);
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu);
    EXPECT_EQ(tracker.HitTest({-3, -3}), CRectTracker::hitTopLeft);
}

TEST(RectTracker, DragMovesOrResizesAndEscapeRestores)
{
    Clean clean;
    CRect rect(10, 10, 60, 40);
    SnappingTracker tracker(&rect, CRectTracker::resizeInside);

    ui::queueTrackerDrag({{25, 25}, {40, 35}});
    EXPECT_TRUE(tracker.Track(nullptr, {30, 25}));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 70, 50));
    EXPECT_EQ(tracker.changes.size(), 2u);

    // Dragging the bottom-right handle past the top-left corner stops at the minimum size.
    ui::queueTrackerDrag({{0, 0}});
    EXPECT_TRUE(tracker.Track(nullptr, {68, 48}));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 24, 24));

    ui::queueTrackerDrag({{100, 100}}, true);
    EXPECT_FALSE(tracker.Track(nullptr, {22, 22}));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 24, 24));

    // No drag queued: a click without movement.
    EXPECT_FALSE(tracker.Track(nullptr, {22, 22}));
    EXPECT_EQ(ui::pendingTrackerDrags(), 0);

    tracker.snap = true;
    tracker.m_rect = CRect(20, 20, 60, 60);
    ui::queueTrackerDrag({{33, 31}});
    EXPECT_TRUE(tracker.Track(nullptr, {40, 40}));
    EXPECT_EQ(tracker.m_rect, CRect(15, 10, 55, 50));
}

TEST(RectTracker, RubberBandSpansFromPressToRelease)
{
    Clean clean;
    CRectTracker band;
    ui::queueTrackerDrag({{30, 30}, {5, 50}});
    EXPECT_TRUE(band.TrackRubberBand(nullptr, {20, 10}));
    CRect normal = band.m_rect;
    normal.NormalizeRect();
    EXPECT_EQ(normal, CRect(5, 10, 20, 50));
    // A click draws nothing.
    ui::queueTrackerDrag({{20, 10}});
    EXPECT_FALSE(band.TrackRubberBand(nullptr, {20, 10}));
}
