#include "platform/mxbase/Mx_ListOutputCallback.h"

Mx_ListOutputCallback::~Mx_ListOutputCallback() = default;
Acad::ErrorStatus Mx_ListOutputCallback::onStartFeed() {
    return Acad::eOk;
}
Acad::ErrorStatus Mx_ListOutputCallback::onEndFeed() {
    return Acad::eOk;
}
Acad::ErrorStatus Mx_ListOutputCallback::onNewPage() {
    return Acad::eOk;
}
Acad::ErrorStatus Mx_ListOutputCallback::onAddRow(const Mx_StringArray&) {
    return Acad::eOk;
}
Acad::ErrorStatus Mx_ListOutputCallback::onAddSubTotals(const Mx_StringArray&, const Mx_StringArray&, bool,
                                                        int) {
    return Acad::eOk;
}
Acad::ErrorStatus Mx_ListOutputCallback::onAddSeperation(int) {
    return Acad::eOk;
}
