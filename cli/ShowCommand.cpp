// connsheet show: a dialog template, a resource file's dialog or a sheet in the spreadsheet window,
// drawn as a picture (--png) or printed as its window tree, optionally after a step file was played on it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ShowDataDialog.h"
#include "cli/ShowFormulaDialogs.h"
#include "cli/StandardsCommandSupport.h"
#include "module/ModuleResources.h"
#include "platform/arx/Embedded.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ListCtrl.h"  // InitCommonControls
#include "platform/mfc/Resources.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "spread/CDlgSSAsTool.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"

namespace connsheet {
namespace {

struct ShowOptions {
    std::string target;
    std::string png;
    std::string steps;
    int scale = 1;
    int dialogId = 0;
    std::string data;
    std::string sheet;
    std::vector<int> cell{1, 1};
};

bool readFile(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool isNumber(const std::string& text) {
    return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

// A resource file on disk with the pictures beside it (every file below its folder that a BITMAP or
// ICON statement may name).
class DiskResources {
public:
    bool load(const std::filesystem::path& rc, std::string& error) {
        std::string text;
        if (!readFile(rc, text)) {
            error = rc.string() + ": cannot read";
            return false;
        }
        const std::filesystem::path folder = rc.has_parent_path() ? rc.parent_path() : ".";
        std::error_code failure;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, failure);
             !failure && it != std::filesystem::recursive_directory_iterator() && m_names.size() < 4096;
             it.increment(failure)) {
            const std::string extension = it->path().extension().string();
            if (!it->is_regular_file() || (extension != ".bmp" && extension != ".ico" && extension != ".BMP"))
                continue;
            std::string bytes;
            if (!readFile(it->path(), bytes))
                continue;
            m_names.push_back(std::filesystem::relative(it->path(), folder).generic_string());
            m_data.push_back(std::move(bytes));
        }
        for (std::size_t i = 0; i < m_names.size(); ++i)
            m_files.push_back({m_names[i].c_str(), reinterpret_cast<const unsigned char*>(m_data[i].data()),
                               m_data[i].size()});
        m_load = ui::loadResourceModuleFromText(rc.filename().string(), text, m_files);
        if (!m_load) {
            error = utf8::encode(m_load.error);
            return false;
        }
        return true;
    }
    ~DiskResources() {
        if (m_load)
            ui::unloadResourceModule(m_load.module);
    }
    HINSTANCE module() const { return m_load.module; }

private:
    std::vector<std::string> m_names, m_data;
    std::vector<embedded::File> m_files;
    ui::ModuleLoad m_load;
};

int finish(HWND window, const ShowOptions& options, CommandContext& context) {
    // Shown as it would be on screen: a hidden dialog takes no input.
    ::ShowWindow(window, SW_SHOW);
    if (!options.steps.empty()) {
        std::string error;
        const std::optional<ui::StepScript> script = ui::StepScript::load(options.steps, &error);
        if (!script) {
            context.err << "connsheet: " << error << '\n';
            return 2;
        }
        std::vector<std::wstring> problems;
        ui::setProblemReporter([&problems](const std::wstring& problem) { problems.push_back(problem); });
        ui::Automation dialog(window);
        script->run(dialog);
        ui::setProblemReporter({});
        for (const std::wstring& problem : problems)
            context.err << "connsheet: " << options.steps << ": " << utf8::encode(problem) << '\n';
        if (!::IsWindow(window)) {
            context.err << "connsheet: the steps closed the window; nothing is left to show\n";
            return problems.empty() ? 0 : 1;
        }
        if (!problems.empty())
            return 1;
    }
    if (options.png.empty()) {
        context.out << utf8::encode(ui::Automation(window).dump());
        return 0;
    }
    std::string error;
    if (!ui::writePng(options.png, ui::renderWindow(window, options.scale), &error)) {
        context.err << "connsheet: " << error << '\n';
        return 1;
    }
    return 0;
}

int showTemplate(HINSTANCE resources, UINT id, const ShowOptions& options, CommandContext& context) {
    const HINSTANCE before = AfxGetResourceHandle();
    AfxSetResourceHandle(resources);
    CDialog dialog(id);
    const BOOL created = dialog.Create(id);
    AfxSetResourceHandle(before);
    if (!created) {
        context.err << "connsheet: dialog " << id << " could not be created\n";
        return 1;
    }
    const int status = finish(dialog.GetSafeHwnd(), options, context);
    if (::IsWindow(dialog.GetSafeHwnd()))
        dialog.DestroyWindow();
    return status;
}

int showSheet(const std::string& sheet, const ShowOptions& options, CommandContext& context) {
    Mx_String path;
    if (!resolveStandardsSheet(sheet, path)) {
        reportNoSuchSheet(context.err, sheet, path);
        return 2;
    }
    DlgSSAsTool tool;
    if (!tool.create() || !tool.grid()) {
        context.err << "connsheet: the spreadsheet window could not be created\n";
        return 1;
    }
    tool.grid()->initDefaults(0);  // the house style an author sees: headers, font, colours
    if (!tool.grid()->LoadFromFile(path.c_str())) {
        context.err << "connsheet: " << utf8::encode(path.c_str()) << ": cannot load the sheet\n";
        return 1;
    }
    // The window's caption names the sheet, as the spreadsheet window does for an open file.
    const std::wstring full = path.c_str();
    const std::size_t slash = full.find_last_of(L"\\/");
    tool.dialog()->SetWindowText(slash == std::wstring::npos ? full.c_str() : full.substr(slash + 1).c_str());
    return finish(tool.dialog()->GetSafeHwnd(), options, context);
}

}  // namespace

void addShowCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ShowOptions>();
    auto* command = app.add_subcommand(
        "show",
        "Draw a dialog template (by number), a resource file's dialog or a sheet in the spreadsheet window");
    command->add_option("TARGET", options->target, "Dialog number, .rc file, or sheet (file or library name)")
        ->required();
    command->add_option("--png", options->png,
                        "Write the picture to this PNG file (else print the window tree)");
    command->add_option("--scale", options->scale, "Pixels per dialog pixel (1 = 96 dpi)")
        ->check(CLI::Range(1, 4));
    command->add_option("--steps", options->steps, "Play a step file on the window first");
    command->add_option(
        "--data", options->data,
        "With dialog 242, 244, 254 or 8719: open it on this JSON data (OK prints the result)");
    command->add_option("--dialog", options->dialogId,
                        "With an .rc file: the dialog to show (default: the first)");
    command->add_option(
        "--sheet", options->sheet,
        "With 133, 208 or 218: open the formulas, string-table or find/replace dialog on this sheet");
    command->add_option("--cell", options->cell, "With 133 --sheet: the cell to recalculate (COL ROW)")
        ->expected(2);
    command->callback([&context, options] {
        InitCommonControls();  // templates may use the common controls (tab control, list view)
        const ShowOptions& o = *options;
        if (isNumber(o.target) && isDataDialog(unsigned(std::stoul(o.target)))) {
            context.exitStatus =
                showDataDialog(unsigned(std::stoul(o.target)), o.data, {o.steps, o.png, o.scale}, context);
            return;
        }
        if (!o.data.empty()) {
            context.err
                << "connsheet: --data is for the dialogs with data of their own (242, 244, 254, 256, 8719)\n";
            context.exitStatus = 2;
            return;
        }
        if (isNumber(o.target)) {
            const UINT id = UINT(std::stoul(o.target));
            if (!o.sheet.empty()) {
                Mx_String path;
                if (!resolveStandardsSheet(o.sheet, path)) {
                    reportNoSuchSheet(context.err, o.sheet, path);
                    context.exitStatus = 2;
                    return;
                }
                const int status = showFormulaDialog(
                    id, path, o.cell[0], o.cell[1], [&](HWND window) { return finish(window, o, context); },
                    context.err);
                if (status >= 0) {
                    context.exitStatus = status;
                    return;
                }
                context.err << "connsheet: dialog " << id << " takes no --sheet\n";
                context.exitStatus = 2;
                return;
            }
            HINSTANCE resources = ModuleResources::handle();
            const ui::ResourceModule* module = ui::findResourceModule(resources);
            if (!module || !module->dialog(id))
                resources = ui::platformResources();
            module = ui::findResourceModule(resources);
            if (!module || !module->dialog(id)) {
                context.err << "connsheet: no dialog template " << id << " in the module's resources\n";
                context.exitStatus = 2;
                return;
            }
            context.exitStatus = showTemplate(resources, id, o, context);
            return;
        }
        if (std::filesystem::path(o.target).extension() == ".rc") {
            DiskResources resources;
            std::string error;
            if (!resources.load(o.target, error)) {
                context.err << "connsheet: " << error << '\n';
                context.exitStatus = 2;
                return;
            }
            const std::vector<UINT> ids = ui::findResourceModule(resources.module())->dialogIds();
            UINT id = o.dialogId > 0 ? UINT(o.dialogId) : (ids.empty() ? 0 : ids.front());
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
                context.err << "connsheet: " << o.target << ": no dialog "
                            << (o.dialogId > 0 ? std::to_string(id) : "") << " in it\n";
                context.exitStatus = 2;
                return;
            }
            context.exitStatus = showTemplate(resources.module(), id, o, context);
            return;
        }
        context.exitStatus = showSheet(o.target, o, context);
    });
}

}  // namespace connsheet
