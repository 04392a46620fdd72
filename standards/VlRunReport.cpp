#include "standards/VlRunReport.h"

#include <algorithm>
#include <utility>

namespace {
VlRunReport* gActiveReport = nullptr;
}

VlRunReport* VlRunReport::active() { return gActiveReport; }

void VlRunReport::add(VlRunFinding finding) { findings_.push_back(std::move(finding)); }

bool VlRunReport::hasErrors() const {
    return std::any_of(findings_.begin(), findings_.end(), [](const VlRunFinding& f) { return f.isError(); });
}

void VlRunReport::clear() {
    findings_.clear();
    said_.clear();
    cause_.clear();
}

bool VlRunReport::firstTime(const std::string& key) { return said_.insert(key).second; }

void VlRunReport::noteCause(std::string cause) { cause_ = std::move(cause); }

std::string VlRunReport::takeCause() { return std::exchange(cause_, std::string()); }

VlRunReportScope::VlRunReportScope(VlRunReport& report) : previous_(gActiveReport) { gActiveReport = &report; }

VlRunReportScope::~VlRunReportScope() { gActiveReport = previous_; }

void vlReport(VlRunFinding finding) {
    if (VlRunReport* report = VlRunReport::active()) report->add(std::move(finding));
}

void vlNoteCause(std::string cause) {
    if (VlRunReport* report = VlRunReport::active()) report->noteCause(std::move(cause));
}

std::string vlTakeCause() {
    VlRunReport* report = VlRunReport::active();
    return report ? report->takeCause() : std::string();
}

bool vlReporting() { return VlRunReport::active() != nullptr; }

std::string vlCellName(int col, int row) {
    if (col < 1 || row < 1) return {};
    std::string letters;
    for (int c = col; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}
