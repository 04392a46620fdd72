// The module's one export: the office formats behind the interface of OfficeBackend.h.
#include "cli/office/OfficeBackend.h"

namespace connsheet::office {
namespace {

class Backend final : public OfficeBackend {
public:
    bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) override {
        return office::readXlsx(bytes, cells, error);
    }
    bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) override {
        return office::readOds(bytes, cells, error);
    }
    bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout, std::string& bytes,
                   std::string& error) override {
        return office::writeXlsx(values, layout, bytes, error);
    }
};

}  // namespace
}  // namespace connsheet::office

extern "C" __attribute__((visibility("default"))) connsheet::office::OfficeBackend*
connsheet_office_backend() {
    static connsheet::office::Backend backend;
    return &backend;
}
