#pragma once
// The type record of a cell: how the cell edits and shows its value. Sheets intern these records, so
// a column of identical number cells shares one record.
#include <cstdint>
#include <string>

namespace grid {

// Type codes as SSGetCellType reports them (the first field of the record). The numbers are fixed
// by callers: FROMTABLE reads 10 and 12 as long and 14-16 as double; Mx_Spread skips 8 when sizing.
enum class CellTypeCode : std::int32_t {
    Date = 0,
    Edit = 1,
    Time = 6,
    Button = 7,
    Picture = 8,
    ComboBox = 9,
    Integer = 10,
    Owner = 11,
    CheckBox = 12,
    StaticText = 13,
    Number = 14,
    Currency = 15,
    Percent = 16,
};

struct CellType {
    CellTypeCode code = CellTypeCode::Edit;
    std::uint32_t style = 0;        // the style bits as given (edit, static text, combo, picture...)
    std::int32_t maxLength = 0;     // edit cells; 0 means no limit
    std::int32_t decimals = 0;      // number cells
    double minimum = 0.0;           // number and integer cells; minimum == maximum means no bounds
    double maximum = 0.0;
    bool separator = false;         // number cells: the last switch of SSSetTypeNumber
    std::wstring items;             // combo box: tab-separated items; button: caption; check box: caption
    std::wstring picture;           // picture cells: file or resource name; check box: unchecked picture
    std::wstring picture2;          // check box: checked picture
    std::int64_t pictureHandle = 0; // SSSetTypePictureHandle

    static CellType edit(std::uint32_t style = 0, std::int32_t maxLength = 0) {
        CellType t;
        t.style = style;
        t.maxLength = maxLength;
        return t;
    }
    static CellType number(std::int32_t decimals, double minimum, double maximum, std::uint32_t style = 0) {
        CellType t;
        t.code = CellTypeCode::Number;
        t.decimals = decimals;
        t.minimum = minimum;
        t.maximum = maximum;
        t.style = style;
        return t;
    }
    static CellType ofCode(CellTypeCode code, std::uint32_t style = 0) {
        CellType t;
        t.code = code;
        t.style = style;
        return t;
    }
    bool isNumeric() const {
        return code == CellTypeCode::Integer || code == CellTypeCode::Number || code == CellTypeCode::Currency ||
               code == CellTypeCode::Percent;
    }
    bool operator==(const CellType&) const = default;
};

}  // namespace grid
