#pragma once
// The office formats as a module of their own (libconnsheet_office.so), opened by the first
// conversion: libzip, pugixml and libxlsxwriter (with libcrypto under libzip) are then loaded only by
// `connsheet convert`, not at the start of every run. Both sides are built together from this header.
#include <string>
#include <string_view>
#include <vector>

#include "cli/OfficeSheet.h"

namespace connsheet::office {

class OfficeBackend {
public:
    virtual ~OfficeBackend() = default;
    virtual bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) = 0;
    virtual bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) = 0;
    // The workbook's bytes in `bytes`.
    virtual bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout,
                           std::string& bytes, std::string& error) = 0;
};

// What the module's functions are called inside it.
bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error);
bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error);
bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout, std::string& bytes,
               std::string& error);

}  // namespace connsheet::office

extern "C" connsheet::office::OfficeBackend* connsheet_office_backend();
inline constexpr const char* kOfficeBackendSymbol = "connsheet_office_backend";
inline constexpr const char* kOfficeModuleName = "libconnsheet_office.so";
