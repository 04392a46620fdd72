// connsheet sections: the section tables of the library ("prof\" folder), one table's sizes, and adding
// a size the way the simple section library dialog does (SectionSizeTemplate), so that a standards run
// finds it at once: the table file is rewritten and the table registered with the section tables.
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/TableText.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"  // IsWindow
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/DlgEditLibData.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "sectionlib/CDlgEditLibSections.h"
#include "sectionlib/CDlgEditLibSimple.h"
#include "sectionlib/Mx_ProfValuesTable.h"
#include "sectionlib/SectionSizeTemplate.h"
#include "spread/CDlgSSOptions.h"
#include "spread/Mx_Spread.h"

namespace connsheet {

namespace {

using Json = nlohmann::ordered_json;

struct SectionsOptions {
    std::string table;
    bool json = false;
    std::string addTable;
    std::string like;
    std::string name;
    std::vector<std::string> values;
    bool dialog = false;
    std::string steps;
    std::string png;
};

// The dialog a command opens is driven by a step file instead of a person: the steps are played on
// it, its picture is written, and a dialog the steps did not end is cancelled.
class DialogSession {
public:
    DialogSession(const SectionsOptions& options, CommandContext& context)
        : options_(options), context_(context) {}

    // False (status set) when the step file cannot be read.
    bool prepare() {
        if (!options_.steps.empty()) {
            std::string error;
            script_ = ui::StepScript::load(options_.steps, &error);
            if (!script_) {
                context_.err << "connsheet: " << error << '\n';
                status_ = 2;
                return false;
            }
        }
        driver_.onModal([this](ui::Automation& dialog) {
            if (script_)
                script_->run(dialog);
            if (!options_.png.empty() && ::IsWindow(dialog.root())) {
                std::string error;
                if (!ui::writePng(options_.png, ui::renderWindow(dialog.root()), &error)) {
                    context_.err << "connsheet: " << error << '\n';
                    status_ = 1;
                }
            }
        });
        return true;
    }
    // After the dialog: the problems of the steps; 1 when there were any.
    int finish() {
        for (const std::wstring& problem : driver_.problems())
            context_.err << "connsheet: " << options_.steps << ": " << utf8::encode(problem) << '\n';
        if (!driver_.problems().empty())
            status_ = 1;
        return status_;
    }
    int status() const { return status_; }

private:
    const SectionsOptions& options_;
    CommandContext& context_;
    std::optional<ui::StepScript> script_;
    ui::ScriptedDriver driver_;
    int status_ = 0;
};

std::string cell(const Mx_String& text) {
    return escapeForTable(text.toUtf8());
}

void printJson(std::ostream& out, const Json& document) {
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

Mx_String profFolder() {
    return gSettings.libDir() + L"prof";
}

int listTables(const SectionsOptions& options, CommandContext& context) {
    Mx_StringArray files;
    if (!ObjectExportFindFiles(profFolder(), L"*.pr", files)) {
        context.err << "connsheet sections: cannot list " << profFolder().toUtf8() << '\n';
        return 1;
    }
    Json tables = Json::array();
    if (!options.json)
        context.out << "table\tsizes\tactive\tpicture\n";
    for (const Mx_String& file : files) {
        Mx_ProfValuesTable table;
        if (!table.readFromFile(getFileName(file))) {
            context.err << "connsheet sections: cannot read " << file.toUtf8() << '\n';
            continue;
        }
        Mx_StringArray active;
        table.getFilteredSysNames(active);
        if (options.json) {
            tables.push_back({{"table", table.name.toUtf8()},
                              {"sizes", table.rows.length()},
                              {"active", active.length()},
                              {"picture", table.image.toUtf8()}});
        } else {
            context.out << cell(table.name) << '\t' << table.rows.length() << '\t' << active.length() << '\t'
                        << cell(table.image) << '\n';
        }
    }
    if (options.json)
        printJson(context.out, Json{{"folder", profFolder().toUtf8()}, {"tables", tables}});
    return 0;
}

bool readTable(const std::string& name, Mx_ProfValuesTable& table, CommandContext& context) {
    const Mx_String file(name.c_str());
    if (table.readFromFile(file) && !table.headers.isEmpty())
        return true;
    context.err << "connsheet sections: no table " << name << " ("
                << Mx_ProfValuesTable::filePath(file).toUtf8() << " cannot be read)\n";
    return false;
}

int listSizes(const SectionsOptions& options, CommandContext& context) {
    Mx_ProfValuesTable table;
    if (!readTable(options.table, table, context))
        return 1;
    const int languages = table.getNrLanguages();
    if (!options.json) {
        for (int col = 0; col < table.headers.length(); ++col)
            context.out << (col ? "\t" : "") << cell(table.headers[col]);
        context.out << '\n';
        for (const Mx_StringArray& row : table.rows) {
            for (int col = 0; col < row.length(); ++col)
                context.out << (col ? "\t" : "") << cell(row[col]);
            context.out << '\n';
        }
        return 0;
    }
    Json sizes = Json::array();
    for (const Mx_StringArray& row : table.rows) {
        Json names = Json::object(), values = Json::object();
        for (int col = 2; col < table.headers.length(); ++col) {
            Json& target = col < languages + 2 ? names : values;
            target[table.headers[col].toUtf8()] = row.at(col).toUtf8();
        }
        sizes.push_back({{"sysName", row.at(0).toUtf8()},
                         {"section", (table.name + L"-" + row.at(0)).toUtf8()},
                         {"active", row.at(1).str() != L"0"},
                         {"names", names},
                         {"values", values}});
    }
    Json headers = Json::array();
    for (const Mx_String& header : table.headers)
        headers.push_back(header.toUtf8());
    printJson(context.out, Json{{"table", table.name.toUtf8()},
                                {"picture", table.image.toUtf8()},
                                {"headers", headers},
                                {"sizes", sizes}});
    return 0;
}

int addSize(const SectionsOptions& options, CommandContext& context) {
    Mx_ProfValuesTable table;
    if (!readTable(options.addTable, table, context))
        return 1;
    int likeRow = -1;
    if (!table.findSysName(Mx_String(options.like.c_str()), likeRow)) {
        context.err << "connsheet sections add: " << options.addTable << " has no size " << options.like
                    << '\n';
        return 1;
    }
    if (options.dialog) {
        DialogSession session(options, context);
        if (!session.prepare())
            return session.status();
        int activeRow = -1;
        const bool added = StartDlgEditLibSimple(Mx_String(options.like.c_str()), table, activeRow);
        if (session.finish() != 0)
            return session.status();
        if (!added) {
            context.out << "cancelled: " << options.addTable << " unchanged\n";
            return 0;
        }
        if (!table.writeToFile(table.name)) {
            context.err << "connsheet sections add: cannot write "
                        << Mx_ProfValuesTable::filePath(table.name).toUtf8() << '\n';
            return 1;
        }
        table.setToGlobals(&gSectionTableManager);
        context.out << "added a size to " << options.addTable << " as active size " << activeRow + 1 << " of "
                    << table.rows.length() << '\n';
        return 0;
    }
    const SectionSizeTemplate like(table, Mx_String(options.like.c_str()));
    Mx_StringArray values = like.templateValues();
    for (const std::string& assignment : options.values) {
        const std::size_t equals = assignment.find('=');
        const Mx_String name(assignment.substr(0, equals).c_str());
        int index = -1;
        if (equals == std::string::npos || !like.valueNames().find(name, index)) {
            context.err << "connsheet sections add: \"" << assignment
                        << "\" is not VALUE=NUMBER for a value of " << options.addTable << " (";
            for (int k = 0; k < like.valueCount(); ++k)
                context.err << (k ? ", " : "") << like.valueNames()[k].toUtf8();
            context.err << ")\n";
            return 2;
        }
        values[index] = Mx_String(assignment.substr(equals + 1).c_str());
    }
    const Mx_String sysName =
        options.name.empty() ? like.generatedName(values) : Mx_String(options.name.c_str());
    int row = -1;
    switch (like.addTo(table, sysName, values, row)) {
        case SectionSizeTemplate::AddResult::Added:
            break;
        case SectionSizeTemplate::AddResult::BadName:
            context.err << "connsheet sections add: \"" << sysName.toUtf8()
                        << "\" cannot name a size (empty, or a tab or line break in it)\n";
            return 1;
        case SectionSizeTemplate::AddResult::NameInUse:
            context.err << "connsheet sections add: " << options.addTable << " already has a size "
                        << sysName.toUtf8() << '\n';
            return 1;
        case SectionSizeTemplate::AddResult::BadValue:
            context.err << "connsheet sections add: every value must be a number\n";
            return 1;
        case SectionSizeTemplate::AddResult::TubeThickness:
            context.err << "connsheet sections add: " << dialString(1457).toUtf8() << '\n';
            return 1;
    }
    if (!table.writeToFile(table.name)) {
        context.err << "connsheet sections add: cannot write "
                    << Mx_ProfValuesTable::filePath(table.name).toUtf8() << '\n';
        return 1;
    }
    // Registered as well, so that a run in this process sees the size without reading the folder again.
    table.setToGlobals(&gSectionTableManager);
    const Mx_String section = table.name + L"-" + sysName;
    if (options.json) {
        printJson(context.out, Json{{"section", section.toUtf8()},
                                    {"sysName", sysName.toUtf8()},
                                    {"row", row},
                                    {"name", table.rows[row].at(2).toUtf8()}});
    } else {
        context.out << "added " << cell(section) << " (" << cell(table.rows[row].at(2)) << ") as row "
                    << row + 1 << " of " << table.rows.length() << '\n';
    }
    return 0;
}

int editLibrary(const SectionsOptions& options, CommandContext& context) {
    DlgEditLibData data;
    if (!data.load()) {
        context.err << "connsheet sections edit: cannot read " << DlgEditLibData::filePath().toUtf8() << '\n';
        return 1;
    }
    DialogSession session(options, context);
    if (!session.prepare())
        return session.status();
    // The values page's options button opens the spreadsheet options, as in the loaded module.
    Mx_Spread::setHeaderEditor(editGridHeaders);
    const bool accepted = StartDlgEditLibSections(data, Mx_String());
    if (session.finish() != 0)
        return session.status();
    if (!accepted) {
        context.out << "cancelled: the groups and types are unchanged\n";
        return 0;
    }
    if (!data.save()) {
        context.err << "connsheet sections edit: cannot write " << DlgEditLibData::filePath().toUtf8()
                    << '\n';
        return 1;
    }
    context.out << "saved " << DlgEditLibData::filePath().toUtf8() << '\n';
    return 0;
}

}  // namespace

void addSectionsCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SectionsOptions>();
    auto* command = app.add_subcommand("sections", "List the library's section tables, or one table's sizes");
    command->add_option("TABLE", options->table, "Table name (a .pr file of the library's prof folder)");
    command->add_flag("--json", options->json, "Print one JSON object");
    command->require_subcommand(0, 1);

    auto* add =
        command->add_subcommand("add", "Add a size to a table, named and sorted as the section library does");
    add->add_option("TABLE", options->addTable, "Table name")->required();
    add->add_option("--like", options->like, "System name of the size the new one starts from")->required();
    add->add_option("--name", options->name,
                    "System name of the new size (default: generated from its values)");
    add->add_option("VALUES", options->values, "Values that differ from the --like size, NAME=NUMBER");
    add->add_flag("--json", options->json, "Print one JSON object");
    add->add_flag("--dialog", options->dialog, "Add the size in the section library's new-size dialog");
    add->add_option("--steps", options->steps, "With --dialog: play a step file on the dialog");
    add->add_option("--png", options->png, "With --dialog: write the dialog's picture after the steps");
    add->callback([options, &context] { context.exitStatus = addSize(*options, context); });

    auto* edit = command->add_subcommand(
        "edit", "Open the section library editor (groups, types, values tables) on the library");
    edit->add_option("--steps", options->steps,
                     "Play a step file on the dialog (what it does not end is cancelled)");
    edit->add_option("--png", options->png, "Write the dialog's picture after the steps");
    edit->callback([options, &context] { context.exitStatus = editLibrary(*options, context); });

    command->callback([options, &context, add, edit] {
        if (add->parsed() || edit->parsed())
            return;
        context.exitStatus =
            options->table.empty() ? listTables(*options, context) : listSizes(*options, context);
    });
}

}  // namespace connsheet
