#pragma once
// The pool of hidden host dialogs of the standards runs. Every run needs a grid window, and a child
// run started by "CallChild" needs a second one while its parent's is still busy; the windows stay
// alive and are reused instead of being made for every run.
#include <vector>

#include "platform/arx/AcadStatus.h"

class CDlgSSStandards;

class VlSSDlgsMgr {
public:
    VlSSDlgsMgr() = default;
    virtual ~VlSSDlgsMgr();
    // A copy shares nothing: it starts empty, since the dialogs belong to one pool.
    VlSSDlgsMgr(const VlSSDlgsMgr&) {}
    VlSSDlgsMgr& operator=(const VlSSDlgsMgr&) { return *this; }

    // A free host dialog (a CDlgSSStandards), marked in use; null when none can be made.
    void* getDlg();
    // Marks the dialog free; eInvalidInput when it is not in the pool.
    Acad::ErrorStatus releaseDlg(void* dialog);
    // Destroys every host dialog, last first.
    void destroyAll();

    int size() const { return static_cast<int>(dialogs_.size()); }
    int inUseCount() const;

private:
    Acad::ErrorStatus destroyDlg(const int& index);

    std::vector<CDlgSSStandards*> dialogs_;  // owned
    std::vector<bool> inUse_;
};

extern VlSSDlgsMgr gSSDlgsMgr;
