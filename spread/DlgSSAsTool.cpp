#include "spread/DlgSSAsTool.h"

#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "spread/CDlgSSAsTool.h"

DlgSSAsTool::DlgSSAsTool() = default;

DlgSSAsTool::~DlgSSAsTool() {
    if (created_ && dialog_) dialog_->DestroyWindow();
}

bool DlgSSAsTool::create() {
    if (created_) return true;
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CWnd* host = adsw_acadMainWnd();
    auto dialog = std::make_unique<CDlgSSAsTool>(host);
    if (!dialog->Create(CDlgSSAsTool::IDD, host)) return false;
    if (host) host->SetFocus();
    dialog_ = std::move(dialog);
    created_ = true;
    return true;
}

Mx_Spread* DlgSSAsTool::grid() { return created_ && dialog_ ? &dialog_->grid() : nullptr; }
