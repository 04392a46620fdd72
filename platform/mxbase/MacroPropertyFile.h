#pragma once
// A property file: the values of a macro's tabs kept apart from the macro, so that the values a
// detailer worked out once can be loaded into another macro of the same kind. A JSON document (format
// in docs/macro-format.md):
//
//     {"format": "connsheet-macro-properties", "version": 1,
//      "tabs": [{"name": "Plates", "cells": [{"name": "Thickness", "value": "15"}],
//                "boltData": {...}, "profileGroups": [...]}]}
//
// Reading is strict about the document's shape (the first problem is reported with its JSON path) and
// lenient about its content: values of tabs, cells or profile groups the macro does not have are left
// out, as a file written for a related macro may name some.
#include <string>
#include <string_view>

#include "platform/mxbase/Mx_String.h"

class MacroData;

namespace macroprops {

// UTF-8 JSON, indented, ending with a line feed.
std::string write(const MacroData& data);
// Takes the file's values into `data`'s tabs; `count` receives how many values changed. On failure
// (false, `error` set) nothing changes.
bool read(std::string_view json, MacroData& data, int& count, Mx_String& error);

}  // namespace macroprops
