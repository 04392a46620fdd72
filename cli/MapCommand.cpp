// connsheet map: the links of a standards sheet to a macro, as the macro settings' mapping page shows
// and stores them. Prints the sheet's input and output variables with their current links and every
// object of the macro a variable may be linked to; --set VAR=OBJECT changes links the way the page
// does: an edited set goes under a fresh random key, which becomes the macro's maps-to text for the
// sheet (the macro file is rewritten); a set equal to the stored one writes nothing.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MacroFileWriter.h"
#include "cli/StandardsCommandSupport.h"
#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "standards/CDlgSSStandards.h"
#include "standards/DisplayPath.h"
#include "standards/VlMappingStore.h"
#include "standards/VlSSDlgsMgr.h"

namespace connsheet {
namespace {

struct MapOptions {
    std::string sheet;
    std::string macro;
    std::string mapsTo;
    std::vector<std::string> links;
};

class PooledHost {
public:
    PooledHost() : dialog_(static_cast<CDlgSSStandards*>(gSSDlgsMgr.getDlg())) {}
    ~PooledHost() {
        if (dialog_)
            gSSDlgsMgr.releaseDlg(dialog_);
    }
    PooledHost(const PooledHost&) = delete;
    PooledHost& operator=(const PooledHost&) = delete;
    CDlgSSStandards* get() const { return dialog_; }

private:
    CDlgSSStandards* dialog_;
};

// The sheet as a macro lists it: relative to the library's "Connection Standards" folder without
// extension, or the path itself for a sheet outside the library.
Mx_String listedName(const Mx_String& path) {
    namespace fs = std::filesystem;
    const fs::path root = fsys::resolve((gSettings.libDir() + L"Connection Standards").view());
    const fs::path sheet = fsys::resolve(path.view());
    const fs::path relative = sheet.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..")
        return path;
    std::wstring name = fsys::toWide(fs::path(relative).replace_extension());
    for (wchar_t& c : name)
        if (c == L'/')
            c = L'\\';
    return Mx_String(name);
}

struct Variable {
    Mx_String name;
    VlValueType type = kVlString;
    AcArray<int> candidates;
    bool linked = false;
    VlObjectMap link;
};

int mapSheet(const MapOptions& options, CommandContext& context) {
    Mx_String sheet;
    if (!resolveStandardsSheet(options.sheet, sheet)) {
        context.err << "connsheet map: sheet not found: " << options.sheet << '\n';
        return 2;
    }
    Mx_DbMacro macro;
    MacroData tabs;
    Mx_String error;
    if (macro.readFromFile(Mx_String(options.macro), &tabs, &error) != Acad::eOk) {
        context.err << "connsheet map: " << error.toUtf8() << '\n';
        return 2;
    }
    const Mx_String mapsTo =
        options.mapsTo.empty() ? defaultMapsTo(*macro.macroRead(), sheet) : Mx_String(options.mapsTo);
    if (mapsTo.startsWith(L"Module.", true)) {
        context.out << "sheet    " << displayPath(sheet).toUtf8() << "\nmaps to  " << mapsTo.toUtf8()
                    << " (the variable names reach the group's modules: no links)\n";
        if (!options.links.empty()) {
            context.err << "connsheet map: a module group has no links to set\n";
            return 2;
        }
        return 0;
    }

    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    PooledHost host;
    if (host.get() == nullptr) {
        context.err << "connsheet map: no grid window\n";
        return 1;
    }
    VlCalcSS& grid = host.get()->calcSS;
    if (grid.loadFile(sheet) != Acad::eOk || grid.initVarCells() != Acad::eOk) {
        context.err << "connsheet map: " << displayPath(sheet).toUtf8()
                    << ": cannot be read as a standards sheet (Input and Output sections needed)\n";
        return 1;
    }
    VlSSMapping all;
    all.initAllVarsFromMacro(&macro, nullptr);
    const Mx_Array<VlObjectMap>& objects = all.mappedObjects();
    VlSSMapping stored;
    const bool hasStored = !mapsTo.isEmpty() && stored.getMappingFromFile(sheet, mapsTo) == Acad::eOk;

    // Inputs, then outputs, as the page lists them.
    std::vector<Variable> variables;
    const VlVarCells& cells = grid.varCells();
    for (const VlCellType section : {kVlInput, kVlOutput}) {
        for (int i = 0; i < cells.length(); ++i) {
            if (cells[i].cellType != section)
                continue;
            Variable v;
            v.name = cells[i].name;
            v.type = cells[i].valueType;
            all.getValidVars(false, v.type, v.candidates);
            int index = -1;
            if (hasStored && stored.findSSVar(v.name, v.type, index) == Acad::eOk) {
                v.linked = true;
                v.link = stored.mappedObjects()[index];
            }
            variables.push_back(v);
        }
    }

    Mx_String key = mapsTo;
    if (!options.links.empty()) {
        for (const std::string& assignment : options.links) {
            std::string name, object;
            if (!splitAssignment(assignment, name, object)) {
                context.err << "connsheet map: expected VAR=OBJECT, not \"" << assignment << "\"\n";
                return 2;
            }
            Variable* found = nullptr;
            for (Variable& v : variables)
                if (found == nullptr && v.name.equal(Mx_String(name), false))
                    found = &v;
            if (found == nullptr) {
                context.err << "connsheet map: " << name << ": no input or output variable of the sheet\n";
                return 2;
            }
            if (object.empty()) {
                found->linked = false;
                continue;
            }
            bool chosen = false;
            for (int c = 0; c < found->candidates.length() && !chosen; ++c) {
                const VlObjectMap& candidate = objects[found->candidates[c]];
                if (VlMappingStore::candidateText(candidate).equal(Mx_String(object), false)) {
                    found->link = candidate;
                    found->linked = chosen = true;
                }
            }
            if (!chosen) {
                context.err << "connsheet map: " << object << ": not an object " << name << " ("
                            << Mx_String(VlMappingStore::typeText(found->type)).toUtf8()
                            << ") can be linked to; the list below names them\n";
                return 2;
            }
        }
        VlSSMapping edited;
        edited.type = VlSSMapping::kMappingFile;
        for (const Variable& v : variables) {
            if (!v.linked)
                continue;
            VlObjectMap link = v.link;
            link.ssVarName = v.name;
            edited.mappedObjectsWrite().append(link);
        }
        if (hasStored && VlMappingStore::sameLinks(edited, stored)) {
            context.out << "unchanged: nothing written\n";
        } else {
            if (!VlMappingStore::drawFreshKey(sheet, Mx_StringArray(), key) ||
                edited.setMappingToFile(sheet, key) != Acad::eOk) {
                context.err << "connsheet map: " << displayPath(VlSSMapping::mappingFileName(sheet)).toUtf8()
                            << ": cannot be written\n";
                return 1;
            }
            MacroStandards standards = macro.macroRead()->standards();
            const Mx_String name = listedName(sheet);
            int row = -1;
            for (int i = 0; i < standards.sheets.length() && row < 0; ++i)
                if (standards.sheets[i].equal(name, false))
                    row = i;
            if (row < 0) {
                standards.sheets.append(name);
                standards.mapsTo.append(key);
            } else {
                standards.mapsTo[row] = key;
            }
            macro.macroWrite()->setStandards(standards);
            if (!writeMacroKeepingLayout(options.macro, options.macro, macro, tabs, error)) {
                context.err << "connsheet map: " << error.toUtf8() << '\n';
                return 1;
            }
            context.out << "stored under " << key.toUtf8() << '\n';
        }
    }

    context.out << "sheet    " << displayPath(sheet).toUtf8() << "\nmaps to  "
                << (key.isEmpty() ? std::string("(not stored)") : key.toUtf8()) << "\n\n";
    std::size_t width = 8;
    for (const Variable& v : variables)
        width = std::max(width, v.name.toUtf8().size());
    context.out << "variable" << std::string(width - 8 + 2, ' ') << "type   link\n";
    for (const Variable& v : variables) {
        const std::string name = v.name.toUtf8();
        context.out << name << std::string(width - name.size() + 2, ' ')
                    << Mx_String(VlMappingStore::typeText(v.type)).toUtf8() << "  "
                    << (v.linked ? VlMappingStore::candidateText(v.link).toUtf8() : std::string("-")) << '\n';
    }
    context.out << "\nobjects of the macro (" << objects.length() << ")\n";
    for (const VlObjectMap& object : objects) {
        VlValueType type = kVlString;
        object.valueType(type);
        context.out << Mx_String(VlMappingStore::typeText(type)).toUtf8() << "  "
                    << VlMappingStore::candidateText(object).toUtf8() << '\n';
    }
    return 0;
}

}  // namespace

void addMapCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<MapOptions>();
    auto* command = app.add_subcommand(
        "map", "Show or set the links of a standards sheet to a macro's objects, as the mapping page does");
    command
        ->add_option("SHEET", options->sheet, "Standards sheet (name below Connection Standards, or a file)")
        ->required();
    command->add_option("--macro", options->macro, "Macro file (.json)")->required();
    command->add_option(
        "--maps-to", options->mapsTo,
        "The mapping file line to read (default: the macro's own for the sheet, else its name)");
    command
        ->add_option("--set", options->links,
                     "Link a variable (VAR=OBJECT as listed; VAR= unlinks); stored under a fresh key")
        ->take_all();
    command->callback([options, &context] { context.exitStatus = mapSheet(*options, context); });
}

}  // namespace connsheet
