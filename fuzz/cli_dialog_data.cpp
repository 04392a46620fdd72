// Any text given to `connsheet show NUMBER --data` is read or refused with a reason, never half read:
// a refusal leaves the data as it was, and what is read writes and reads back to the same data.
#include <cstdint>
#include <cstdlib>  // abort
#include <string>
#include <string_view>

#include "cli/DialogDataJson.h"
#include "dialogs/VlDlgCis2Data.h"
#include "dialogs/VlGridDlgData.h"
#include "dialogs/VlLookUpDlgData.h"
#include "dialogs/VlSelectImageDlgData.h"

namespace {

template <class Data>
void check(std::string_view json) {
    Data data;
    std::string error;
    if (!connsheet::readDialogData(json, data, error)) {
        if (error.empty() || !(data == Data()))
            std::abort();
        return;
    }
    Data again;
    if (!connsheet::readDialogData(connsheet::writeDialogData(data), again, error) || !(again == data))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(bytes), size);
    check<VlGridDlgData>(json);
    check<VlLookUpDlgData>(json);
    check<VlSelectImageDlgData>(json);
    check<VlDlgCis2Data>(json);
    return 0;
}
