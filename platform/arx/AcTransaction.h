#pragma once
// A database transaction. The module only borrows one from its caller and passes it on to the core
// library; ours records whether it is still open so misuse shows in tests.
#include "platform/arx/AcadStatus.h"

class AcTransaction {
public:
    AcTransaction() = default;
    AcTransaction(const AcTransaction&) = delete;
    AcTransaction& operator=(const AcTransaction&) = delete;

    bool isOpen() const { return open_; }
    Acad::ErrorStatus commit() {
        if (!open_) return Acad::eInvalidOpenState;
        open_ = false;
        return Acad::eOk;
    }
    Acad::ErrorStatus abort() { return commit(); }
    int numOpenedObjects() const { return opened_; }
    void noteOpened() { ++opened_; }

private:
    bool open_ = true;
    int opened_ = 0;
};
