#pragma once
// Resource modules and the resource chain.
//
// A resource module holds dialog templates, bitmaps, icons and strings by number. It is read from
// resource text (the format is described in res/dialogs/README.md) that the build embeds in the binary
// (cs_embed) or that a test passes directly. A module is named by an HINSTANCE.
//
// Lookups go to the current resource module first (AfxGetResourceHandle), then along the chain of
// extension modules in the order they joined it, as MFC's AfxFindResourceHandle does.
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/arx/Embedded.h"
#include "platform/mfc/Win32Types.h"

namespace ui {

struct ControlTemplate {
    std::wstring className;  // "Button", "Edit", "fpUSpread70", ...
    int id = 0;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
    UINT id = 0;
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::wstring fontName;
    int fontSize = 8;
    std::vector<ControlTemplate> controls;
};

// Dialog units to pixels with fixed base units of 6 x 13 pixels (MS Shell Dlg 8 at 96 dpi, rounded):
// x * 6 / 4 and y * 13 / 8, rounded to nearest as MapDialogRect does. Fixed so that layouts and dumps
// do not depend on a font rasteriser.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;
RECT dialogUnitsToPixels(int x, int y, int cx, int cy);

class ResourceModule {
public:
    explicit ResourceModule(std::string name) : m_name(std::move(name)) {}

    // Adds the resources described by one resource text. Referenced files (BITMAP, ICON) are taken from
    // `files` by path relative to the text's own folder (`origin` is the text's path). On error returns
    // false and sets `error` to "origin:line: problem"; resources before the error stay added.
    bool addText(std::string_view text, std::string_view origin, std::span<const embedded::File> files,
                 std::wstring* error);
    // Notes where each resource of the ".rc" texts among `files` stands and reads it only when it is
    // first looked up: a command that shows one dialog reads that dialog's lines, not every template
    // of the module. The texts must outlive the module (embedded texts do). A text with a mistake is
    // not reported here; the lookup of a resource whose lines are wrong finds nothing, and
    // a module built by addText from the same texts says what is wrong.
    void addTextsOnDemand(std::span<const embedded::File> files);

    const std::string& name() const { return m_name; }
    const DialogTemplate* dialog(UINT id) const;
    const std::vector<unsigned char>* bitmap(UINT id) const;
    const std::vector<unsigned char>* icon(UINT id) const;
    const std::wstring* string(UINT id) const;
    std::vector<UINT> dialogIds() const;

    void addDialog(DialogTemplate dialogTemplate);
    void addBitmap(UINT id, std::vector<unsigned char> bytes);
    void addIcon(UINT id, std::vector<unsigned char> bytes);
    void addString(UINT id, std::wstring text);

private:
    // The lines of one resource not read yet.
    struct Pending {
        enum Kind { Dialog, String, Bitmap, Icon } kind;
        UINT id;
        std::string_view lines;
        std::size_t file;  // in m_pendingFiles
        int firstLine;
    };
    // Reads the pending resource of that kind and number, if there is one.
    void readPending(Pending::Kind kind, UINT id) const;

    std::string m_name;
    // Deques: a resource read on demand never moves one handed out before.
    std::deque<DialogTemplate> m_dialogs;
    std::deque<std::pair<UINT, std::vector<unsigned char>>> m_bitmaps;
    std::deque<std::pair<UINT, std::vector<unsigned char>>> m_icons;
    std::deque<std::pair<UINT, std::wstring>> m_strings;
    std::vector<Pending> m_pending;
    std::span<const embedded::File> m_pendingFiles;
};

struct ModuleLoad {
    HINSTANCE module = nullptr;  // null on failure
    std::wstring error;
    explicit operator bool() const { return module != nullptr; }
};

// Registers a module built from every ".rc" file of an embedded set (other files of the set can be
// referenced by them), or from one resource text. The module lives until unloadResourceModule.
ModuleLoad loadResourceModule(std::string name, std::span<const embedded::File> files);
ModuleLoad loadResourceModuleFromText(std::string name, std::string_view text,
                                      std::span<const embedded::File> files = {});
// Registers a module from the ".rc" texts of an embedded set, each resource read on its first lookup
// (ResourceModule::addTextsOnDemand): for commands that start, show or use one dialog and end.
HINSTANCE loadResourceModuleOnDemand(std::string name, std::span<const embedded::File> files);
void unloadResourceModule(HINSTANCE module);
ResourceModule* findResourceModule(HINSTANCE module);

// The embedded resources of the window platform itself (res/dialogs/), loaded on first use.
HINSTANCE platformResources();

// The chain of extension modules searched after the current one.
void addToResourceChain(HINSTANCE module);
void removeFromResourceChain(HINSTANCE module);

// Current module first, then the chain. Null when no module has it.
const DialogTemplate* findDialogTemplate(UINT id);
const std::vector<unsigned char>* findBitmapResource(UINT id);
const std::vector<unsigned char>* findIconResource(UINT id);
const std::wstring* findStringResource(UINT id);

}  // namespace ui

// MFC's resource-handle calls.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AfxGetInstanceHandle();
// The module that has a dialog template of that number (current first, then the chain).
HINSTANCE AfxFindResourceHandle(UINT dialogId);

// The extension-module record and its registration with the resource chain.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HINSTANCE hModule = nullptr;
    HINSTANCE hResource = nullptr;
};
// FALSE for a handle that names no loaded resource module.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Joins the extension module's resources to the chain for its lifetime.
class CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

private:
    HINSTANCE m_module;
};
