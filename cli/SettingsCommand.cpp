// connsheet settings: the editor settings a sheet carries (font, header and footer files, margins,
// print switches, variables), and its header options dialog on the sheet's own headers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/SheetWorkbook.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "spread/CDlgSSOptions.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"
#include "spread/VlSSSettings.h"
#include "spread/VlSSSheet.h"

namespace connsheet {
namespace {

struct SettingsOptions {
    std::string sheet;
    bool headers = false;
    std::string steps;
    std::string png;
    std::string out;
};

void printSettings(const VlSSSettings& settings, std::ostream& out) {
    const auto line = [&out](const char* name, const std::string& value) {
        out << name << '\t' << value << '\n';
    };
    line("defaultFont", settings.defaultFont.toUtf8());
    line("defaultTextHeight", std::to_string(settings.defaultTextHeight));
    line("headerFile", settings.storedHeaderFile().toUtf8());
    line("footerFile", settings.storedFooterFile().toUtf8());
    line("marginLeft", std::to_string(settings.marginLeft));
    line("marginRight", std::to_string(settings.marginRight));
    line("marginTop", std::to_string(settings.marginTop));
    line("marginBottom", std::to_string(settings.marginBottom));
    line("smartPrint", settings.smartPrint ? "1" : "0");
    line("colors", settings.colors ? "1" : "0");
    line("colHeader", settings.colHeader ? "1" : "0");
    line("rowHeader", settings.rowHeader ? "1" : "0");
    line("cellSeperators", settings.cellSeperators ? "1" : "0");
    line("border", settings.border ? "1" : "0");
    // Names and values are separate lists and may differ in length; a missing partner prints empty.
    const int count = std::max(settings.varNames.length(), settings.varValues.length());
    for (int i = 0; i < count; ++i) {
        const std::string name = i < settings.varNames.length() ? settings.varNames[i].toUtf8() : "";
        const std::string value = i < settings.varValues.length() ? settings.varValues[i].toUtf8() : "";
        out << "variable\t" << name << '\t' << value << '\n';
    }
}

// Runs the header options dialog on the sheet with the steps; the picture is taken after them when
// the dialog is still open. Returns the exit status.
int editHeaders(Mx_Spread& grid, const SettingsOptions& options, CommandContext& context) {
    std::optional<ui::StepScript> script;
    if (!options.steps.empty()) {
        std::string error;
        script = ui::StepScript::load(options.steps, &error);
        if (!script) {
            context.err << "connsheet: " << error << '\n';
            return 2;
        }
    }
    int status = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dialog) {
        if (script)
            script->run(dialog);
        if (!options.png.empty()) {
            if (!::IsWindow(dialog.root()) || !::IsWindowVisible(dialog.root())) {
                context.err << "connsheet: the steps closed the dialog; no picture was taken\n";
                status = 1;
                return;
            }
            std::string error;
            if (!ui::writePng(options.png, ui::renderWindow(dialog.root()), &error)) {
                context.err << "connsheet: " << error << '\n';
                status = 1;
            }
        }
    });
    Mx_Spread::setHeaderEditor(editGridHeaders);
    const bool applied = grid.editHeaders();
    Mx_Spread::setHeaderEditor(nullptr);
    for (const std::wstring& problem : driver.problems())
        context.err << "connsheet: " << options.steps << ": " << utf8::encode(problem) << '\n';
    if (!driver.problems().empty())
        status = 1;
    context.out << (applied ? "headers changed\n" : "headers unchanged\n");
    return status;
}

}  // namespace

void addSettingsCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SettingsOptions>();
    auto* command = app.add_subcommand("settings", "Print the editor settings a sheet carries");
    command->add_option("SHEET", options->sheet, "Sheet (file or library name)")->required();
    command->add_flag("--headers", options->headers, "Open the header options dialog on the sheet's headers");
    command->add_option("--steps", options->steps, "With --headers: play a step file on the dialog");
    command->add_option("--png", options->png, "With --headers: write the dialog's picture to this PNG file");
    command->add_option("--out", options->out,
                        "Save the sheet (with its settings) to this file; .xlsx makes a workbook");
    command->callback([&context, options] {
        const SettingsOptions& o = *options;
        Mx_String path;
        if (!resolveStandardsSheet(o.sheet, path)) {
            reportNoSuchSheet(context.err, o.sheet, path);
            context.exitStatus = 2;
            return;
        }
        DlgSSAsTool tool;
        Mx_Spread* grid = tool.create() ? tool.grid() : nullptr;
        if (!grid) {
            context.err << "connsheet: the spreadsheet window could not be created\n";
            context.exitStatus = 1;
            return;
        }
        grid->initDefaults(0);
        if (!grid->LoadFromFile(path.c_str())) {
            context.err << "connsheet: " << path.toUtf8() << ": cannot load the sheet\n";
            context.exitStatus = 1;
            return;
        }
        context.exitStatus = 0;
        if (o.headers)
            context.exitStatus = editHeaders(*grid, o, context);
        else {
            VlSSSettings settings;
            settings.readFromSheet(grid->GetSafeHwnd());
            printSettings(settings, context.out);
        }
        if (!o.out.empty()) {
            setSheetFileWriter(L".xlsx", writeSheetWorkbook);
            if (!saveSheet(*grid, Mx_String(o.out))) {
                context.err << "connsheet: " << o.out << ": cannot save the sheet\n";
                context.exitStatus = 1;
            }
        }
    });
}

}  // namespace connsheet
