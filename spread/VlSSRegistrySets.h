#pragma once
// VlSSRegistrySets: what the stand-alone spreadsheet editor's installation keeps in the machine's
// registry (HKEY_LOCAL_MACHINE\Software\Vorlane\Spreadsheet Editor v1.0): the language and the name of
// the default settings file. The system reads them and never writes them.
#include "platform/mxbase/Mx_String.h"

class VlSSRegistrySets {
public:
    static constexpr const wchar_t* kKey = L"Software\\Vorlane\\Spreadsheet Editor v1.0";

    Mx_String language = L"EN";
    Mx_String defaultSettingsName;

    // Reads both values; each one read replaces its default. True only when both were read.
    bool read();
};
