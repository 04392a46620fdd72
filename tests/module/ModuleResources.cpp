#include "module/ModuleResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "platform/arx/Utf8.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace {

const ui::ControlTemplate* control(const ui::DialogTemplate& d, int id) {
    for (const ui::ControlTemplate& c : d.controls)
        if (c.id == id) return &c;
    return nullptr;
}

}  // namespace

TEST(ModuleResources, LoadsTheModulesDialogTemplates) {
    ASSERT_NE(ModuleResources::handle(), nullptr);
    // Templates are read when first asked for; every line of every text still has to be right.
    EXPECT_EQ(utf8::encode(ModuleResources::loadError()), "");
    ui::ResourceModule* module = ui::findResourceModule(ModuleResources::handle());
    ASSERT_NE(module, nullptr);

    // Every dialog the module's classes are built from, with the controls they look up by id.
    struct Expected {
        UINT dialog;
        std::vector<int> controls;
    };
    const Expected expected[] = {
        {248, {IDOK, IDCANCEL, 1196}},
        {253, {IDOK, IDCANCEL, 1196}},
        {8069, {IDOK, IDCANCEL, 8600, 8003}},
    };
    for (const Expected& e : expected) {
        const ui::DialogTemplate* d = module->dialog(e.dialog);
        ASSERT_NE(d, nullptr) << e.dialog;
        for (int id : e.controls) EXPECT_NE(control(*d, id), nullptr) << e.dialog << " control " << id;
    }
}

TEST(ModuleResources, StandardsHostDialogIsExactlyAsTheRunNeedsIt) {
    const ui::DialogTemplate* d = ui::findResourceModule(ModuleResources::handle())->dialog(253);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->caption, L"Dialog");
    EXPECT_EQ(d->cx, 260);
    EXPECT_EQ(d->cy, 207);
    EXPECT_EQ(d->style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(d->style & WS_VISIBLE, 0u) << "the host dialog is never shown";

    struct Place {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        int x, y, cx, cy;
    };
    const Place places[] = {
        {IDOK, L"Button", L"OK", 7, 186, 50, 14},
        {IDCANCEL, L"Button", L"Cancel", 73, 186, 50, 14},
        {1196, L"Static", L"", 7, 7, 246, 173},
    };
    for (const Place& p : places) {
        const ui::ControlTemplate* c = control(*d, p.id);
        ASSERT_NE(c, nullptr) << p.id;
        EXPECT_EQ(c->className, p.className);
        EXPECT_EQ(c->text, p.text);
        EXPECT_EQ((std::vector<int>{c->x, c->y, c->cx, c->cy}), (std::vector<int>{p.x, p.y, p.cx, p.cy})) << p.id;
    }
}

TEST(ModuleResources, ScopeMakesTheModuleCurrentAndRestoresWhatItReplaced) {
    const HINSTANCE before = AfxGetResourceHandle();
    {
        VlTempResourceOverride::Scope outer(ModuleResources::resourceOverride());
        EXPECT_EQ(AfxGetResourceHandle(), ModuleResources::handle());
        EXPECT_NE(ui::findDialogTemplate(8069), nullptr);
        {
            VlTempResourceOverride::Scope inner(ModuleResources::resourceOverride());
            EXPECT_FALSE(inner.changed()) << "already current";
        }
        EXPECT_EQ(AfxGetResourceHandle(), ModuleResources::handle());
    }
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

// One number names one resource of each kind: two dialogs, bitmaps or icons of the same number in the
// module's files would leave which one a dialog shows to the order the files are read in.
TEST(ModuleResources, NoTwoResourcesOfOneKindShareANumber) {
    const std::regex heading(R"(^\s*(DIALOG|BITMAP|ICON)\s+(\d+)\b)");
    std::map<std::string, std::string> seen;  // "BITMAP 206" -> where
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(CONNSHEET_SOURCE_DIR) / "res" / "module")) {
        if (entry.path().extension() != ".rc")
            continue;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, heading))
                continue;
            const std::string key = match[1].str() + " " + match[2].str();
            const std::string where = entry.path().filename().string() + ":" + std::to_string(number);
            const auto [it, added] = seen.emplace(key, where);
            EXPECT_TRUE(added) << key << " at " << where << " and at " << it->second;
        }
    }
    EXPECT_GT(seen.size(), 20u);
}
