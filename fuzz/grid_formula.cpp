// Any text set as a formula either is refused with a message or computes (never crashes, never hangs),
// and the normalised text it reads back parses again to the very same text. The first byte picks the
// reference style; the rest is the formula as UTF-8. Fuzz it with the formula tokens:
//     build/fuzz/fuzz/fuzz_grid_formula -dict=fuzz/grid_formula.dict -max_len=262144 fuzz/corpus/grid_formula
#include <cstdint>
#include <cstdlib>  // abort
#include <string_view>

#include "platform/arx/Utf8.h"
#include "platform/grid/Sheet.h"

namespace {

// Far beyond the deepest formula accepted, so that the fuzzer reaches the depth bound with operator
// chains, and beyond the longest text a formula may build.
constexpr std::size_t kMaxInput = 256 * 1024;

grid::Sheet makeSheet() {
    grid::Sheet sheet;
    sheet.setMaxCols(8);
    sheet.setMaxRows(8);
    sheet.setData(1, 1, L"12.5");
    sheet.setData(2, 1, L"text");
    sheet.setData(1, 2, L"-3");
    sheet.setFormula(2, 2, L"A1*2");
    sheet.setFormula(3, 3, L"1/0");
    return sheet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > kMaxInput) return 0;
    auto style = static_cast<grid::RefStyle>(data[0] % 3);
    std::wstring text = utf8::decode(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

    static grid::Sheet sheet = makeSheet();
    sheet.setRefStyle(style);
    constexpr std::int32_t col = 4, row = 4;
    grid::FormulaStatus status = sheet.setFormula(col, row, text);
    if (!status) {
        if (status.message.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    sheet.recalc();
    (void)sheet.value(col, row);
    (void)sheet.valueText(col, row);

    std::wstring normalised = sheet.formulaText(col, row);
    grid::FormulaStatus again = sheet.setFormula(col, row, normalised);
    if (!again) std::abort();  // written text that does not parse (an unshowable reference reads "#REF!")
    if (sheet.formulaText(col, row) != normalised) std::abort();  // not a fixed point
    sheet.clearData(col, row);
    return 0;
}
