#pragma once
// The section types page of the section library (dialog 8139): as the groups page, with the type's
// group (a list of all groups; the type keeps the group's id, -1 for none) and its dimension names.
#include "sectionlib/CTabEditLibEntries.h"

class CTabEditLibTypes : public CTabEditLibEntries {
public:
    enum : UINT { IDD = 8139 };
    enum : int { IDC_GROUP = 1191, IDC_DIMENSIONS = 1198 };
    explicit CTabEditLibTypes(DlgEditLibData& data) : CTabEditLibEntries(IDD, data) {}

protected:
    int count() const override { return data_.types.length(); }
    bool& enabled(int index) override { return data_.types[index].enabled; }
    Mx_String& picture(int index) override { return data_.types[index].picture; }
    Mx_StringArray& names(int index) override { return data_.types[index].names; }
    int appendNew() override;
    void remove(int index) override { data_.types.removeAt(index); }
    void swap(int first, int second) override { data_.types.swap(first, second); }
    void storeMore(int index) override;
    void showMore(int index) override;
    void enableMore(bool enable) override;
};
