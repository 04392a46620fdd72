// connsheet cuts: the macro cuts dialog (a new cut, or one of the drawing's cuts) or the profile cuts
// dialog (--profile N) on a macro file or folder, with a step file played on it. Cuts removed in the
// profile cuts dialog leave the macro files at once, as they leave the drawing; --log prints what the
// dialogs asked of the drawing and of the host.
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/MacroDrawingSession.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "module/entry/ModuleEntry.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/MacroCutsData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"

namespace connsheet {
namespace {

struct CutsOptions {
    std::string file;
    std::string steps;
    std::string png;
    std::string cut;
    std::string pick;
    int profile = 0;
    bool isNew = false;
    bool noPreview = false;
    bool dump = false;
    bool log = false;
};

std::string text(const Mx_String& value) {
    return utf8::encode(value.c_str());
}

// The parameter names the drawing's cut values go by in the dialog, in VlCutOffsetType order.
const wchar_t* const kValueNames[kCutValueCount] = {L"Offset",       L"PolyOffset",   L"LengthOffset",
                                                    L"CenterOffset", L"InsideOffset", L"OutsideOffset",
                                                    L"Offset1",      L"Offset2",      L"Radius"};

int kindOfType(const Mx_String& type) {
    if (type.equal(L"Chamfer", false))
        return DlgMacroCutsData::kChamfer;
    if (type.equal(L"Fillet", false))
        return DlgMacroCutsData::kFillet;
    return DlgMacroCutsData::kProfileVsPlate;
}

// The data of a cut the drawing holds (named, or the first one), for editing it.
bool loadCut(const Mx_String& name, DlgMacroCutsData& data) {
    MacroDrawing& drawing = MacroDrawing::active();
    const AcArray<AcDbObjectId> ids = drawing.objectIds();
    for (int i = 0; i < ids.length(); ++i) {
        for (const Mx_Module& module : drawing.object(ids[i])->macroRead()->modules()) {
            for (const MacroCut& cut : module.cuts()) {
                if (!name.isEmpty() && !cut.name.equal(name, false))
                    continue;
                data.cutName = cut.name;
                data.kind = kindOfType(cut.type);
                data.existingCut = true;
                for (int which = 0; which < kCutValueCount; ++which) {
                    if (!cut.offers(which))
                        continue;
                    data.paramNames.append(kValueNames[which]);
                    data.paramValues.append(cut.value(which));
                    data.paramFlags.append(1);
                }
                return true;
            }
        }
    }
    return false;
}

// The Nth named profile of the drawing (from 1), over every module of every macro in order.
bool profileAt(int n, DlgProfCutsData& data) {
    MacroDrawing& drawing = MacroDrawing::active();
    const AcArray<AcDbObjectId> ids = drawing.objectIds();
    int seen = 0;
    for (int i = 0; i < ids.length(); ++i) {
        for (const Mx_Module& module : drawing.object(ids[i])->macroRead()->modules()) {
            for (const MacroNamedPrpl& profile : module.profiles()) {
                if (profile.name.isEmpty() || ++seen != n)
                    continue;
                data.profileId = ids[i];
                data.profileName = profile.name;
                return true;
            }
        }
    }
    return false;
}

// "1,3" picks those macros; for the profile cuts dialog "2:TopStiffener" picks that profile.
bool setPick(const std::string& pick, bool profile, std::ostream& err) {
    if (pick.empty())
        return true;
    MacroDrawing& drawing = MacroDrawing::active();
    if (profile) {
        const auto colon = pick.find(':');
        int id = 0;
        if (colon == std::string::npos || !Mx_String(pick.substr(0, colon)).toInt(id) || id <= 0) {
            err << "connsheet: --pick: expected OBJECT:PROFILE, got \"" << pick << "\"\n";
            return false;
        }
        drawing.setNextProfilePick(AcDbObjectId(std::uint64_t(id)), Mx_String(pick.substr(colon + 1)));
        return true;
    }
    AcArray<AcDbObjectId> ids;
    std::size_t from = 0;
    while (from <= pick.size()) {
        const std::size_t comma = std::min(pick.find(',', from), pick.size());
        int id = 0;
        if (!Mx_String(pick.substr(from, comma - from)).toInt(id) || id <= 0) {
            err << "connsheet: --pick: expected object numbers such as 1,2, got \"" << pick << "\"\n";
            return false;
        }
        ids.append(AcDbObjectId(std::uint64_t(id)));
        from = comma + 1;
    }
    drawing.setNextPick(ids);
    return true;
}

void printCut(const DlgMacroCutsData& data, std::ostream& out) {
    out << "name: " << text(data.cutName) << '\n' << "kind: " << data.kind << '\n';
    for (int i = 0; i < data.paramNames.length(); ++i) {
        out << "parameter: " << text(data.paramNames[i]) << " = "
            << text(Mx_String(i < data.paramValues.length() ? data.paramValues[i] : 0.0, 4, true)) << '\n';
    }
    out << "target: " << data.target << "\nplacement: " << data.placement
        << "\nprofile end: " << data.profileEnd << "\nflanges only: " << data.flangesOnly
        << "\nweb only: " << data.webOnly << "\nround web corners: " << data.roundWebCorners << '\n';
    for (int i = 0; i < data.macros.ids.length(); ++i)
        out << "macro: " << data.macros.ids[i].asOldId() << ' ' << text(data.macros.names[i]) << '\n';
}

int runCuts(const CutsOptions& options, CommandContext& context) {
    MacroDrawingSession session;
    if (const int opened = session.open(options.file, options.steps, context))
        return opened;
    MacroDrawing& drawing = session.drawing();
    const bool profileDialog = options.profile > 0;
    DlgMacroCutsData cut;
    DlgProfCutsData profile;
    if (profileDialog) {
        if (!profileAt(options.profile, profile)) {
            context.err << "connsheet: " << options.file << ": no profile " << options.profile << '\n';
            return 2;
        }
    } else {
        const AcArray<AcDbObjectId> ids = drawing.objectIds();
        for (int i = 0; i < ids.length(); ++i) {
            cut.macros.ids.append(ids[i]);
            cut.macros.names.append(drawing.object(ids[i])->macroRead()->name());
        }
        if (options.isNew) {
            cut.macros.mode = MacrosInDlgData::kNewCut;
        } else if (!loadCut(Mx_String(utf8::decode(options.cut)), cut)) {
            context.err << "connsheet: " << options.file << ": no cut"
                        << (options.cut.empty() ? "" : " named " + options.cut) << " (--new defines one)\n";
            return 2;
        }
    }
    if (!setPick(options.pick, profileDialog, context.err))
        return 2;
    if (options.noPreview)
        MacroDlgRegistry::instance().cutPreview = false;
    drawing.clearLog();
    host::clearEvents();

    int status = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dialog) {
        if (session.playSteps(dialog, options.dump, options.png, status, context))
            dialog.close();
    });
    if (profileDialog) {
        const bool ok = StartEditProfCutsDlg(profile);
        context.out << "result: " << (ok ? "OK" : "Cancel") << '\n'
                    << "preview: " << MacroDlgRegistry::instance().cutPreview << '\n';
    } else {
        bool flag = false;
        const bool ok = StartDlgMacroCuts(cut, flag);
        context.out << "result: " << (ok ? "OK" : "Cancel") << "\nflag: " << flag << '\n';
        if (ok)
            printCut(cut, context.out);
    }
    for (const auto& box : driver.messageBoxes())
        context.out << "message: " << utf8::encode(box.caption) << ": " << utf8::encode(box.text) << '\n';
    return session.finish(driver, options.steps.empty() ? options.file : options.steps, options.log, status,
                          context);
}

}  // namespace

void addCutsCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<CutsOptions>();
    auto* command = app.add_subcommand(
        "cuts",
        "Open the macro cuts dialog, or the profile cuts dialog (--profile), on a macro file or folder");
    command->add_option("FILE", options->file, "Macro file (.json), or a folder of macro files")->required();
    command->add_option("--profile", options->profile,
                        "The profile cuts dialog on the drawing's Nth named profile (from 1)");
    command->add_flag("--new", options->isNew, "Define a new cut for every macro of the drawing");
    command->add_option("--cut", options->cut, "The drawing's cut to edit (default: the first)");
    command->add_option("--pick", options->pick,
                        "What the user picks in the drawing: macros \"1,2\", or a profile \"1:EndPlate\"");
    command->add_flag("--no-preview", options->noPreview, "Start with cut previews off");
    command->add_option("--steps", options->steps, "Play a step file on the dialog");
    command->add_flag("--dump", options->dump, "Print the dialog's window tree after the steps");
    command->add_option("--png", options->png, "Write the dialog's picture after the steps");
    command->add_flag("--log", options->log, "Print what the dialog asked of the drawing and the host");
    command->callback([&context, options] { context.exitStatus = runCuts(*options, context); });
}

}  // namespace connsheet
