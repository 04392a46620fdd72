#pragma once
// The value type of a declared variable, from its declaration keyword ("Int", "Double", "String").
// Integer and double are the numeric types; a mapping link carries one of the three (VlObjectMap).
#include <cstdint>

enum VlValueType : std::int32_t {
    kVlInteger = 0,
    kVlDouble = 1,
    kVlString = 2,
};

inline bool isNumericValueType(VlValueType type) {
    return type == kVlInteger || type == kVlDouble;
}
