// connsheet template: a dialog template's controls - types, pixel rectangles, keyboard order - as text
// or JSON, or drawn as the product's dialogs show it; without a name, the templates of the library.
#include <iomanip>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/DesignerTemplates.h"
#include "cli/TableText.h"
#include "designer/CDlgTemplatePreview.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"

namespace connsheet {
namespace {

struct TemplateOptions {
    std::string name;
    std::string png;
    bool json = false;
    int scale = 1;
};

void printJson(const Mx_DlgDesignerData& data, int width, int height, std::ostream& out) {
    nlohmann::ordered_json result;
    result["name"] = data.getName().toUtf8();
    result["bitmap"] = {{"width", width}, {"height", height}};
    result["controls"] = nlohmann::ordered_json::array();
    for (int i = 0; i < data.getNrControls(); ++i) {
        const Mx_DesignerControl& control = *data.getControl(i);
        const CRect rect = data.controlRect(control);
        nlohmann::ordered_json row;
        row["index"] = i;
        row["id"] = control.resId;
        row["type"] = int(control.type);
        row["typeName"] = designer::controlTypeName(control.type).toUtf8();
        row["order"] = control.tabOrder;
        row["rect"] = {
            {"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}};
        row["contents"] = control.contents.toUtf8();
        row["list"] = control.getMergedExtComboList().toUtf8();
        result["controls"].push_back(std::move(row));
    }
    out << result.dump(2) << '\n';
}

void printText(const Mx_DlgDesignerData& data, int width, int height, std::ostream& out) {
    out << data.getName().toUtf8() << ": " << width << " x " << height << " pixels, " << data.getNrControls()
        << (data.getNrControls() == 1 ? " control\n" : " controls\n");
    out << "order  id     type                                left   top right bottom  contents / list\n";
    for (int i = 0; i < data.getNrControls(); ++i) {
        const Mx_DesignerControl& control = *data.getControl(i);
        const CRect rect = data.controlRect(control);
        std::ostringstream type;
        type << int(control.type) << ' ' << designer::controlTypeName(control.type).toUtf8();
        out << std::left << std::setw(7) << (control.tabOrder > 0 ? std::to_string(control.tabOrder) : "-")
            << std::setw(7) << control.resId << std::setw(34) << type.str() << std::right << std::setw(6)
            << rect.left << std::setw(6) << rect.top << std::setw(6) << rect.right << std::setw(7)
            << rect.bottom << "  " << escapeForTable(control.contents.toUtf8());
        const Mx_String list = control.getMergedExtComboList();
        if (!list.isEmpty())
            out << " / " << escapeForTable(list.toUtf8());
        out << '\n';
    }
}

int listTemplates(CommandContext& context) {
    Mx_StringArray names;
    getModuleImages(names);
    for (int i = 0; i < names.length(); ++i)
        context.out << names[i].toUtf8() << '\n';
    return 0;
}

int showTemplate(const TemplateOptions& options, CommandContext& context) {
    Mx_String path;
    std::string problem;
    if (!templatePath(options.name, path, problem)) {
        context.err << "connsheet: " << problem << '\n';
        return 2;
    }
    CDlgTemplatePreview preview;
    if (!preview.open(path)) {
        context.err << "connsheet: " << path.toUtf8() << ": no such template\n";
        return 2;
    }
    int width = 0, height = 0;
    preview.data().getImageSize(width, height);
    if (!options.png.empty()) {
        ::ShowWindow(preview.GetSafeHwnd(), SW_SHOW);
        std::string error;
        if (!ui::writePng(options.png, ui::renderWindow(preview.GetSafeHwnd(), options.scale), &error)) {
            context.err << "connsheet: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (options.json)
        printJson(preview.data(), width, height, context.out);
    else
        printText(preview.data(), width, height, context.out);
    return 0;
}

}  // namespace

void addTemplateCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<TemplateOptions>();
    auto* command = app.add_subcommand(
        "template",
        "List a dialog template's controls (types, pixel rectangles, keyboard order), or the templates");
    command->add_option(
        "NAME", options->name,
        "Template below \"Dialog Templates/Dialog Design/\" (without it: list the templates)");
    command->add_flag("--json", options->json, "Print the controls as JSON");
    command->add_option("--png", options->png, "Draw the template as a dialog shows it, to this PNG file");
    command->add_option("--scale", options->scale, "Pixels per dialog pixel (1 = 96 dpi)")
        ->check(CLI::Range(1, 4));
    command->callback([&context, options] {
        context.exitStatus = options->name.empty() ? listTemplates(context) : showTemplate(*options, context);
    });
}

}  // namespace connsheet
