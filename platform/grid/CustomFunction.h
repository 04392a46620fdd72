#pragma once
// Host-registered spreadsheet functions (SSAddCustomFunctionExt): a callback that receives argument
// records and fills a result record. They have effects (file access, child runs), so their results
// are never folded or kept across calculations.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/grid/TextHandle.h"

namespace grid {

enum class RecordStatus : std::uint8_t {
    Valid = 0,
    Empty = 1,    // no value: an empty argument, or a function that produced nothing
    Invalid = 2,  // not set; a result left so reads as empty
};

enum class RecordType : std::uint8_t {
    Long = 0,
    Double = 1,
    String = 2,
    Cell = 3,   // col, row
    Range = 4,  // col, row, col2, row2
};

// One argument or result of a custom function.
struct CustomRecord {
    RecordStatus status = RecordStatus::Empty;
    RecordType type = RecordType::Long;
    std::int32_t longValue = 0;
    double doubleValue = 0.0;
    TextHandle text;  // String: made by the producer, taken (and freed) by the reader
    std::int32_t col = 0, row = 0, col2 = 0, row2 = 0;

    static CustomRecord ofLong(std::int32_t v) {
        CustomRecord r;
        r.status = RecordStatus::Valid;
        r.type = RecordType::Long;
        r.longValue = v;
        return r;
    }
    static CustomRecord ofDouble(double v) {
        CustomRecord r;
        r.status = RecordStatus::Valid;
        r.type = RecordType::Double;
        r.doubleValue = v;
        return r;
    }
    static CustomRecord ofString(std::wstring_view s) {
        CustomRecord r;
        r.status = RecordStatus::Valid;
        r.type = RecordType::String;
        r.text = TextHandle::make(s);
        return r;
    }
    void setEmpty() {
        status = RecordStatus::Empty;
        type = RecordType::Long;
        text.free();
    }
};

enum class CustomFunctionFlags : std::uint32_t {
    None = 0,
    ReferencesAsCells = 1,  // cell-reference arguments arrive as Cell / Range records, not their values
};

// Returns false when the function fails; the calling cell then holds #VALUE!.
using CustomCallback = std::function<bool(CustomRecord& result, std::span<CustomRecord> args)>;

struct CustomFunction {
    std::wstring name;  // upper case
    std::int32_t minArgs = 0;
    std::int32_t maxArgs = 0;  // -1: any number
    CustomCallback callback;
    CustomFunctionFlags flags = CustomFunctionFlags::None;
};

}  // namespace grid
