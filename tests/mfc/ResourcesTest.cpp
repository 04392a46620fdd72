// Resource text, modules, the resource chain and the resource scope.
#include <gtest/gtest.h>

#include <algorithm>  // sort
#include <cstring>    // strlen
#include <fstream>
#include <sstream>

#include "platform/arx/Utf8.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace embedded {
std::span<const File> platformResources();
}

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ResourcesTest : public ::testing::Test {
protected:
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        for (HINSTANCE m : loaded) ui::unloadResourceModule(m);
    }
    HINSTANCE load(const char* name, const std::string& text) {
        ui::ModuleLoad l = ui::loadResourceModuleFromText(name, text);
        EXPECT_TRUE(l) << std::string(name) << ": " << std::string(l.error.begin(), l.error.end());
        loaded.push_back(l.module);
        return l.module;
    }
    std::vector<HINSTANCE> loaded;
};

TEST_F(ResourcesTest, DialogTemplateFromText) {
    HINSTANCE m = load("t.rc",
                       "# a comment\n"
                       "DIALOG 300 10 20 100 50\n"
                       "  CAPTION \"Size \\\"A\\\" – ok\"\n"
                       "  STYLE WS_POPUP | WS_CAPTION | 0x4\n"
                       "  FONT 9 \"Tahoma\"\n"
                       "  CONTROL Button IDOK \"OK\" 1 2 3 4 BS_DEFPUSHBUTTON | NOT WS_VISIBLE EXSTYLE WS_EX_CLIENTEDGE\n"
                       "  CONTROL fpUSpread70 1196 \"\", 5, 6, 7, 8   // commas are allowed, as in .rc files\n"
                       "END\n"
                       "STRING 12 \"twelve\"\n");
    const ui::DialogTemplate* d = ui::findResourceModule(m)->dialog(300);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->caption, L"Size \"A\" \u2013 ok");
    EXPECT_EQ(d->style, WS_POPUP | WS_CAPTION | 0x4);
    EXPECT_EQ(d->fontName, L"Tahoma");
    EXPECT_EQ(d->fontSize, 9);
    EXPECT_EQ(d->x, 10);
    EXPECT_EQ(d->cy, 50);
    ASSERT_EQ(d->controls.size(), 2u);
    EXPECT_EQ(d->controls[0].id, IDOK);
    EXPECT_EQ(d->controls[0].style, WS_CHILD | BS_DEFPUSHBUTTON) << "controls are visible children unless NOT WS_VISIBLE";
    EXPECT_EQ(d->controls[0].exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(d->controls[1].className, L"fpUSpread70");
    EXPECT_EQ(d->controls[1].cy, 8);
    EXPECT_EQ(*ui::findResourceModule(m)->string(12), L"twelve");
}

TEST_F(ResourcesTest, MalformedTextIsRefusedWithFileAndLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"DIALOG 1 0 0 10\nEND\n", "bad.rc:1: expected DIALOG <id> <x> <y> <width> <height>"},
        {"DIALOG 1 0 0 10 10\n  CAPTION \"open\n", "bad.rc:2: unterminated string"},
        {"DIALOG 1 0 0 10 10\n  STYLE WS_POPUP |\nEND\n", "bad.rc:2: style expression ends with '|'"},
        {"DIALOG 1 0 0 10 10\n  STYLE WS_POPUP WS_CHILD\nEND\n", "bad.rc:2: expected '|' before 'WS_CHILD'"},
        {"DIALOG 1 0 0 10 10\n  STYLE WS_NOPE\nEND\n", "bad.rc:2: unknown style 'WS_NOPE'"},
        {"DIALOG 1 0 0 10 10\n  CONTROL Button 1 \"x\" 1 2 3\nEND\n",
         "bad.rc:2: expected CONTROL <class> <id> \"text\" <x> <y> <width> <height> [style] [EXSTYLE style]"},
        {"DIALOG 1 0 0 10 10\n  CONTROL Button 1\n", "bad.rc:2: expected CONTROL <class> <id> \"text\" <x> <y> <width> <height> [style] [EXSTYLE style]"},
        {"DIALOG 1 0 0 10 10\n", "bad.rc:1: DIALOG 1 has no END"},
        {"DIALOG 1 0 0 10 10\nEND\nDIALOG 1 0 0 10 10\nEND\n", "bad.rc:4: dialog 1 defined twice"},
        {"DIALOG 1 0 0 99999999999 10\nEND\n", "bad.rc:1: bad number '99999999999'"},
        {"BITMAP 5 \"nowhere.bmp\"\n", "bad.rc:1: file not found: nowhere.bmp"},
        {"MENU 5\n", "bad.rc:1: expected DIALOG, BITMAP, ICON or STRING"},
        {"DIALOG 1 0 0 10 10 @\n", "bad.rc:1: unexpected character '@'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui::ModuleLoad l = ui::loadResourceModuleFromText("bad.rc", c.text);
        EXPECT_FALSE(l);
        EXPECT_EQ(l.error, CString(std::wstring(c.error, c.error + std::strlen(c.error))).str());
    }
}

TEST_F(ResourcesTest, LookupGoesToTheCurrentModuleThenAlongTheChain) {
    HINSTANCE module = load("module.rc", "DIALOG 1 0 0 10 10\nCAPTION \"module\"\nEND\nSTRING 5 \"module five\"\n");
    HINSTANCE other = load("other.rc", "DIALOG 1 0 0 10 10\nCAPTION \"other\"\nEND\nDIALOG 2 0 0 10 10\nEND\nSTRING 5 \"other five\"\n");
    EXPECT_EQ(ui::findDialogTemplate(1), nullptr) << "nothing is current and the chain is empty";

    AFX_EXTENSION_MODULE extension;
    ASSERT_TRUE(AfxInitExtensionModule(extension, other));
    EXPECT_FALSE(AfxInitExtensionModule(extension, reinterpret_cast<HINSTANCE>(0x1)) );
    ASSERT_TRUE(AfxInitExtensionModule(extension, other));
    {
        CDynLinkLibrary link(extension);
        AfxSetResourceHandle(module);
        EXPECT_EQ(ui::findDialogTemplate(1)->caption, L"module");
        EXPECT_NE(ui::findDialogTemplate(2), nullptr) << "found along the chain";
        EXPECT_EQ(AfxFindResourceHandle(2), other);
        CString s;
        ASSERT_TRUE(s.LoadString(5));
        EXPECT_EQ(s, L"module five");
    }
    EXPECT_EQ(ui::findDialogTemplate(2), nullptr) << "the library left the chain";
}

TEST_F(ResourcesTest, ResourceOverrideRestoresExactlyWhatItChangedEvenWhenNested) {
    HINSTANCE host = load("host.rc", "");
    HINSTANCE module = load("module.rc", "");
    HINSTANCE third = load("third.rc", "");
    VlTempResourceOverride over(module);
    AfxSetResourceHandle(host);
    {
        VlTempResourceOverride::Scope outer(over);
        EXPECT_TRUE(outer.changed());
        EXPECT_EQ(AfxGetResourceHandle(), module);
        {
            VlTempResourceOverride::Scope inner(over);
            EXPECT_FALSE(inner.changed()) << "already current: nothing to restore";
        }
        EXPECT_EQ(AfxGetResourceHandle(), module);
        AfxSetResourceHandle(third);  // something in between switched again
        {
            VlTempResourceOverride::Scope inner(over);
            EXPECT_TRUE(inner.changed());
        }
        EXPECT_EQ(AfxGetResourceHandle(), third);
    }
    EXPECT_EQ(AfxGetResourceHandle(), host) << "the outer scope gets back its own previous handle";
    VlTempResourceOverride none;
    EXPECT_FALSE(none.SetDefaultResource());
    none.RestoreResource();
    EXPECT_EQ(AfxGetResourceHandle(), host);
}

TEST_F(ResourcesTest, EmbeddedPlatformResourcesAndTheSampleFileAgree) {
    HINSTANCE platform = ui::platformResources();
    ui::ResourceModule* m = ui::findResourceModule(platform);
    ASSERT_NE(m, nullptr);
    ASSERT_NE(m->dialog(9001), nullptr);
    EXPECT_EQ(m->dialog(9001)->controls.size(), 16u);
    ASSERT_NE(m->bitmap(9050), nullptr);
    EXPECT_EQ((*m->bitmap(9050))[0], 'B');
    std::string text = readFile(std::string(CONNSHEET_SOURCE_DIR) + "/res/dialogs/platform_samples.rc");
    ASSERT_FALSE(text.empty());
    std::wstring error;
    ui::ResourceModule fromFile("copy");
    EXPECT_FALSE(fromFile.addText(text, "res/dialogs/platform_samples.rc", {}, &error)) << "the bitmap file is not given";
    EXPECT_NE(error.find(L"file not found: res/dialogs/bitmaps/sample.bmp"), std::wstring::npos);
    EXPECT_EQ(fromFile.dialogIds(), (std::vector<UINT>{9001, 9002})) << "reading stops at the first error";
}

TEST_F(ResourcesTest, DialogWithAnUnknownControlClassDoesNotOpen) {
    AfxSetResourceHandle(load("x.rc", "DIALOG 77 0 0 10 10\n CONTROL NoSuchClass 5 \"\" 0 0 1 1\nEND\n"));
    ui::ScriptedDriver driver;
    CDialog d(77);
    EXPECT_EQ(d.DoModal(), -1);
    EXPECT_TRUE(driver.modalDialogs().empty());
}

// A module read on demand gives what a module read whole gives, resource by resource, whatever order
// they are asked for in; a wrong resource is only missing, and does not hide the others.
std::string describe(const ui::DialogTemplate& d) {
    std::ostringstream s;
    s << d.id << ' ' << utf8::encode(d.caption) << ' ' << d.style << ' ' << d.exStyle << ' ' << d.x << ' '
      << d.y << ' ' << d.cx << ' ' << d.cy << ' ' << utf8::encode(d.fontName) << ' ' << d.fontSize;
    for (const ui::ControlTemplate& c : d.controls)
        s << " | " << utf8::encode(c.className) << ' ' << c.id << ' ' << utf8::encode(c.text) << ' '
          << c.style << ' ' << c.exStyle << ' ' << c.x << ' ' << c.y << ' ' << c.cx << ' ' << c.cy;
    return s.str();
}

embedded::File textFile(const char* name, const std::string& text) {
    return {name, reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

TEST_F(ResourcesTest, OnDemandModuleReadsWhatAWholeReadGives) {
    const std::string first =
        "# templates\n"
        "dialog 10 1 2 30 40\n"
        "  caption \"Ten\"\n"
        "  CONTROL Button IDOK \"OK\" 1 2 3 4 BS_DEFPUSHBUTTON\n"
        "end\n"
        "STRING 5 \"five\"\n"
        "  DIALOG 0x14 0 0 10 10 // an id in hex, indented\n"
        "END\n";
    const std::string second =
        "DIALOG 30 0 0 10 10\n"
        "  STYLE WS_CHILD\n"
        "  CONTROL Static IDC_STATIC \"a\" 0 0 5 5\n"
        "END\n"
        "STRING 6 \"six\"\n";
    const embedded::File files[] = {textFile("t/a.rc", first),
                                    textFile("t/readme.txt", "DIALOG 99 0 0 1 1\nEND\n"),
                                    textFile("t/b.rc", second)};
    ui::ResourceModule whole("whole");
    std::wstring error;
    ASSERT_TRUE(whole.addText(first, "t/a.rc", files, &error));
    ASSERT_TRUE(whole.addText(second, "t/b.rc", files, &error));

    HINSTANCE h = ui::loadResourceModuleOnDemand("lazy", files);
    loaded.push_back(h);
    ui::ResourceModule* lazy = ui::findResourceModule(h);
    ASSERT_NE(lazy, nullptr);
    const ui::DialogTemplate* thirty = lazy->dialog(30);  // from the second text first
    ASSERT_NE(thirty, nullptr);
    EXPECT_EQ(describe(*thirty), describe(*whole.dialog(30)));
    EXPECT_EQ(lazy->dialog(99), nullptr) << "only .rc texts hold resources";
    EXPECT_EQ(lazy->dialog(31), nullptr);
    EXPECT_EQ(*lazy->string(6), L"six");
    EXPECT_EQ(*lazy->string(5), L"five");
    EXPECT_EQ(lazy->string(7), nullptr);
    for (UINT id : {10u, 20u}) {
        ASSERT_NE(lazy->dialog(id), nullptr) << id;
        EXPECT_EQ(describe(*lazy->dialog(id)), describe(*whole.dialog(id)));
    }
    EXPECT_EQ(thirty, lazy->dialog(30)) << "reading more moves nothing handed out before";
    std::vector<UINT> ids = lazy->dialogIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<UINT>{10, 20, 30}));

    // Every template and string of the platform's own texts, asked for in reverse order.
    const ui::ResourceModule* platform = ui::findResourceModule(ui::platformResources());
    ASSERT_NE(platform, nullptr);
    HINSTANCE again = ui::loadResourceModuleOnDemand("again", embedded::platformResources());
    loaded.push_back(again);
    const ui::ResourceModule* onDemand = ui::findResourceModule(again);
    std::vector<UINT> platformIds = platform->dialogIds();
    ASSERT_GE(platformIds.size(), 3u);
    for (auto id = platformIds.rbegin(); id != platformIds.rend(); ++id) {
        ASSERT_NE(onDemand->dialog(*id), nullptr) << *id;
        EXPECT_EQ(describe(*onDemand->dialog(*id)), describe(*platform->dialog(*id)));
    }
    ASSERT_NE(onDemand->bitmap(9050), nullptr);
    EXPECT_EQ(*onDemand->bitmap(9050), *platform->bitmap(9050));
}

TEST_F(ResourcesTest, OnDemandModuleLeavesOutOnlyTheWrongResource) {
    const std::string text =
        "DIALOG 1 0 0 10 10\n"
        "  STYLE WS_NOPE\n"
        "END\n"
        "DIALOG 2 0 0 10 10\n"
        "  CAPTION \"two\"\n"
        "END\n"
        "STRING 3 \"unterminated\n"
        "MENU 4\n"
        "STRING 5 \"five\"\n"
        "DIALOG 6 0 0 10 10\n"
        "  CAPTION \"no end\"\n";
    const embedded::File files[] = {textFile("bad.rc", text)};
    HINSTANCE h = ui::loadResourceModuleOnDemand("bad", files);
    loaded.push_back(h);
    ui::ResourceModule* m = ui::findResourceModule(h);
    EXPECT_EQ(m->dialog(1), nullptr);
    ASSERT_NE(m->dialog(2), nullptr);
    EXPECT_EQ(m->dialog(2)->caption, L"two");
    EXPECT_EQ(m->string(3), nullptr);
    EXPECT_EQ(*m->string(5), L"five");
    EXPECT_EQ(m->dialog(6), nullptr);
    EXPECT_EQ(m->dialogIds(), (std::vector<UINT>{2}));
}

}  // namespace
