// Dialog templates come from the library, written by hand or by other tools; whatever a template file
// holds, reading it must not fail badly, and what it reads must save and read back to the same controls.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "designer/Mx_DlgDesignerData.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameControl(const Mx_DesignerControl& a, const Mx_DesignerControl& b) {
    return a.type == b.type && same(a.topLeftX, b.topLeftX) && same(a.topLeftY, b.topLeftY) &&
           same(a.bottomRightX, b.bottomRightX) && same(a.bottomRightY, b.bottomRightY) &&
           a.contents == b.contents && a.getMergedExtComboList() == b.getMergedExtComboList() &&
           a.resId == b.resId;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzsupport::ScratchFolder scratch("designer_template");
    static const std::filesystem::path root = scratch.path() / "Dialog Templates" / "Dialog Design";
    static const bool ready = [] {
        std::filesystem::create_directories(root);
        gSettings.setLibDir(Mx_String(scratch.path().string() + "/"));
        return true;
    }();
    (void)ready;
    std::ofstream(root / "In.txt", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Mx_DlgDesignerData read;
    read.initialize(nullptr, 33000, 33099, 0, 0, 0, 0, 0, false);  // no dialog: ids come from append alone
    Mx_String in = getDesignerRootFolder();
    in += L"In.txt";
    if (!read.readFromFile(in, false))
        std::abort();  // the file exists below the root
    Mx_String out = getDesignerRootFolder();
    out += L"Out.txt";
    if (!read.writeToFile(out))
        std::abort();
    Mx_DlgDesignerData back;
    if (!back.readFromFile(out, false) || back.getNrControls() != read.getNrControls())
        std::abort();
    for (int i = 0; i < read.getNrControls(); ++i)
        if (!sameControl(*read.getControl(i), *back.getControl(i)))
            std::abort();
    return 0;
}
