#pragma once
// A library folder of its own for each test (templates are read and written below its root folder) and
// a plain host dialog for templates shown outside the designer.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include <unistd.h>  // getpid

#include "designer/Mx_DlgDesignerData.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"

inline void PrintTo(const Mx_String& text, std::ostream* out) {
    *out << '"' << text.toUtf8() << '"';
}

namespace designertest {

class TempLibrary {
public:
    TempLibrary() {
        static std::atomic<int> counter{0};
        m_root = std::filesystem::temp_directory_path() /
                 ("designer-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(templates());
        gSettings.setLibDir(Mx_String(m_root.string() + "/"));
    }
    ~TempLibrary() {
        gSettings.setLibDir(Mx_String());
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempLibrary(const TempLibrary&) = delete;
    TempLibrary& operator=(const TempLibrary&) = delete;

    std::filesystem::path root() const { return m_root; }
    std::filesystem::path templates() const { return m_root / "Dialog Templates" / "Dialog Design"; }
    // The product's path of a template (root folder, name, ".txt").
    Mx_String templatePath(const std::string& name) const {
        Mx_String path = getDesignerRootFolder();
        path += Mx_String(name);
        path += L".txt";
        return path;
    }

    void write(const std::filesystem::path& path, const std::string& bytes) const {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // A white bitmap of the size, with a black frame, beside a template.
    void writeBitmap(const std::string& name, int width, int height) const {
        ui::BitmapImage image(width, height, 0xFFFFFF);
        for (int x = 0; x < width; ++x)
            image.setPixel(x, 0, 0), image.setPixel(x, height - 1, 0);
        write(templates() / (name + ".bmp"), ui::encodeBmp(image));
    }
    // A template of the controls; every control on its own line of keys as the file keeps them.
    void writeTemplate(const std::string& name, const Mx_Array<Mx_DesignerControl>& controls) const {
        Mx_PropertiesList list;
        list.setInt(L"nrOfControls", controls.length());
        for (int i = 0; i < controls.length(); ++i)
            controls[i].setToPropList(list, i);
        list.writeToFile(templatePath(name));
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_root;
};

inline Mx_DesignerControl control(Mx_ControlType type, double left, double top, double right, double bottom,
                                  const wchar_t* contents = L"") {
    Mx_DesignerControl c;
    c.type = type;
    c.topLeftX = left;
    c.topLeftY = top;
    c.bottomRightX = right;
    c.bottomRightY = bottom;
    c.contents = contents;
    return c;
}

// A plain dialog a product module would show a template in.
class Host : public CDialog {
public:
    Host() {
        ui::DialogTemplate t;
        t.id = 600;
        t.caption = L"Template host";
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        t.cx = 300;
        t.cy = 220;
        CreateIndirect(t, nullptr);
    }
    ~Host() override {
        if (GetSafeHwnd())
            DestroyWindow();
    }
};

}  // namespace designertest
