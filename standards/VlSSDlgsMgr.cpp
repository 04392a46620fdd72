#include "standards/VlSSDlgsMgr.h"

#include <algorithm>
#include <memory>

#include "platform/mfc/Win32Api.h"
#include "standards/CDlgSSStandards.h"

VlSSDlgsMgr gSSDlgsMgr;

VlSSDlgsMgr::~VlSSDlgsMgr() {
    destroyAll();
}

void* VlSSDlgsMgr::getDlg() {
    for (std::size_t i = 0; i < dialogs_.size(); ++i) {
        if (!inUse_[i]) {
            inUse_[i] = true;
            return dialogs_[i];
        }
    }
    auto dialog = std::make_unique<CDlgSSStandards>(adsw_acadMainWnd());
    if (!dialog->Create(CDlgSSStandards::kTemplateId, nullptr) || !dialog->calcSS.isCreated()) return nullptr;
    dialogs_.push_back(dialog.release());
    inUse_.push_back(true);
    return dialogs_.back();
}

Acad::ErrorStatus VlSSDlgsMgr::releaseDlg(void* dialog) {
    const auto found = std::find(dialogs_.begin(), dialogs_.end(), static_cast<CDlgSSStandards*>(dialog));
    if (!dialog || found == dialogs_.end()) return Acad::eInvalidInput;
    inUse_[static_cast<std::size_t>(found - dialogs_.begin())] = false;
    return Acad::eOk;
}

int VlSSDlgsMgr::inUseCount() const {
    return static_cast<int>(std::count(inUse_.begin(), inUse_.end(), true));
}

void VlSSDlgsMgr::destroyAll() {
    for (int i = static_cast<int>(dialogs_.size()) - 1; i >= 0; --i) destroyDlg(i);
    dialogs_.clear();
    inUse_.clear();
}

Acad::ErrorStatus VlSSDlgsMgr::destroyDlg(const int& index) {
    if (index < 0 || index >= static_cast<int>(dialogs_.size()) || !dialogs_[static_cast<std::size_t>(index)])
        return Acad::eInvalidInput;
    CDlgSSStandards* dialog = dialogs_[static_cast<std::size_t>(index)];
    if (dialog->GetSafeHwnd()) dialog->DestroyWindow();
    delete dialog;
    dialogs_.erase(dialogs_.begin() + index);
    if (index < static_cast<int>(inUse_.size())) inUse_.erase(inUse_.begin() + index);
    return Acad::eOk;
}
