#include "macrodlg/MacroSubDialogRunners.h"

namespace {

template <class Request>
SubDialogRunner<Request>& runner() {
    static SubDialogRunner<Request> installed;
    return installed;
}

template <class Request>
INT_PTR run(Request& request) {
    return runner<Request>() ? runner<Request>()(request) : IDCANCEL;
}

}  // namespace

void setSelectMacroRunner(SubDialogRunner<SelectMacroRequest> made) {
    runner<SelectMacroRequest>() = std::move(made);
}

void setMacroCutsRunner(SubDialogRunner<MacroCutsRequest> made) {
    runner<MacroCutsRequest>() = std::move(made);
}

void setProfCutsRunner(SubDialogRunner<ProfCutsRequest> made) {
    runner<ProfCutsRequest>() = std::move(made);
}

void setArrayRunner(SubDialogRunner<ArrayRequest> made) {
    runner<ArrayRequest>() = std::move(made);
}

void setBoltAdvRunner(SubDialogRunner<BoltAdvRequest> made) {
    runner<BoltAdvRequest>() = std::move(made);
}

void setPatternRunner(SubDialogRunner<PatternRequest> made) {
    runner<PatternRequest>() = std::move(made);
}

void setProfSegmRunner(SubDialogRunner<ProfSegmRequest> made) {
    runner<ProfSegmRequest>() = std::move(made);
}

INT_PTR runSubDialog(SelectMacroRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(MacroCutsRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(ProfCutsRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(ArrayRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(BoltAdvRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(PatternRequest& request) {
    return run(request);
}

INT_PTR runSubDialog(ProfSegmRequest& request) {
    return run(request);
}
