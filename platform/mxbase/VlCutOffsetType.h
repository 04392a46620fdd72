#pragma once
// The nine values of a cut, in the order the standards mapping numbers them (kinds 3 to 11 are
// index 0 to 8).
enum VlCutOffsetType : int {
    kCutOffset = 0,
    kCutPolyOffset = 1,
    kCutLengthOffset = 2,
    kCutCenterOffset = 3,
    kCutInsideOffset = 4,
    kCutOutsideOffset = 5,
    kCutChamferOffset1 = 6,
    kCutChamferOffset2 = 7,
    kCutRadius = 8,
};

inline constexpr int kCutValueCount = 9;

inline bool isValidCutOffsetType(int index) {
    return index >= 0 && index < kCutValueCount;
}
