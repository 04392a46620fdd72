#pragma once
// The CIS/2 export options: option 0 the analysis model (true) or the design model (false); for the
// design model, options 1, 3 and 4 add bolts, welds and cuts, and option 2 writes CIS/2 section names
// (true) rather than the library's.
class VlDlgCis2Data {
public:
    VlDlgCis2Data() = default;
    virtual ~VlDlgCis2Data() = default;
    VlDlgCis2Data(const VlDlgCis2Data&) = default;
    VlDlgCis2Data& operator=(const VlDlgCis2Data&) = default;
    bool operator==(const VlDlgCis2Data&) const = default;

    bool option0 = true;
    bool option1 = true;
    bool option2 = false;
    bool option3 = false;
    bool option4 = false;
};
