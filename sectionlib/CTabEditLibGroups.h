#pragma once
// The section groups page of the section library (dialog 8138).
#include "sectionlib/CTabEditLibEntries.h"

class CTabEditLibGroups : public CTabEditLibEntries {
public:
    enum : UINT { IDD = 8138 };
    explicit CTabEditLibGroups(DlgEditLibData& data) : CTabEditLibEntries(IDD, data) {}

protected:
    int count() const override { return data_.groups.length(); }
    bool& enabled(int index) override { return data_.groups[index].enabled; }
    Mx_String& picture(int index) override { return data_.groups[index].picture; }
    Mx_StringArray& names(int index) override { return data_.groups[index].names; }
    int appendNew() override;
    void remove(int index) override { data_.groups.removeAt(index); }
    void swap(int first, int second) override { data_.groups.swap(first, second); }
};
