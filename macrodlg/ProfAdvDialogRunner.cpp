#include "macrodlg/ProfAdvDialogRunner.h"

namespace {

ProfAdvDialogRunner& runner() {
    static ProfAdvDialogRunner installed;
    return installed;
}

}  // namespace

void setProfAdvDialogRunner(ProfAdvDialogRunner made) {
    runner() = std::move(made);
}

bool runProfAdvDialog(ProfAdvRequest& request) {
    if (!runner())
        return false;
    runner()(request);
    return true;
}
