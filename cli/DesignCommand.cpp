// connsheet design: the dialog designer on a template, driven by a step file (clicks, drags, keys on
// its controls and over the template), then saved; optionally drawn as it looks after the steps.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/Commands.h"
#include "cli/DesignerTemplates.h"
#include "designer/CDlgDesigner.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/ObjectExportFiles.h"

namespace connsheet {
namespace {

struct DesignOptions {
    std::string name;
    std::string steps;
    std::string png;
    std::string bitmap;
    std::vector<std::string> files;
    int scale = 1;
};

// The step file's sections: the designer's steps, then, after each line "---", the steps of the next
// dialog a step opens (the size prompt, ...).
bool readSections(const std::string& file, std::vector<ui::StepScript>& sections, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = file + ": cannot read the steps";
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> parts(1);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "---")
            parts.emplace_back();
        else
            parts.back() += line + "\n";
        start = end + 1;
    }
    // Line numbers in problems count from the file's start.
    int lineOffset = 0;
    for (const std::string& part : parts) {
        std::optional<ui::StepScript> script = ui::StepScript::parse(part, file, &error);
        if (!script) {
            const std::size_t colon = error.find(':', file.size() + 1);
            if (colon != std::string::npos) {
                const int line = std::atoi(error.c_str() + file.size() + 1) + lineOffset;
                error = file + ":" + std::to_string(line) + error.substr(colon);
            }
            return false;
        }
        sections.push_back(std::move(*script));
        lineOffset += int(std::count(part.begin(), part.end(), '\n')) + 1;
    }
    return true;
}

int design(const DesignOptions& options, CommandContext& context) {
    Mx_String path;
    std::string problem;
    if (!templatePath(options.name, path, problem)) {
        context.err << "connsheet: " << problem << '\n';
        return 2;
    }
    std::vector<ui::StepScript> sections;
    if (!options.steps.empty() && !readSections(options.steps, sections, problem)) {
        context.err << "connsheet: " << problem << '\n';
        return 2;
    }
    const Mx_String folder =
        path.getSubStringAt(0, std::max(path.findLastFrom(L'\\'), path.findLastFrom(L'/')));
    Mx_String bitmap = path.getSubStringAt(0, path.length() - 4);
    bitmap += L".bmp";
    if (!options.bitmap.empty() && (!ObjectExportCreateDirectory(folder) ||
                                    !ObjectExportCopyFile(Mx_String(options.bitmap), bitmap, true))) {
        context.err << "connsheet: " << options.bitmap << ": cannot copy the bitmap to " << bitmap.toUtf8()
                    << '\n';
        return 1;
    }
    if (!ObjectExportFileExists(path)) {
        // A new template: an empty one, so the designer opens it under its name.
        Mx_PropertiesList empty;
        empty.setInt(L"nrOfControls", 0);
        if (!ObjectExportCreateDirectory(folder) || !empty.writeToFile(path)) {
            context.err << "connsheet: " << path.toUtf8() << ": cannot create the template\n";
            return 1;
        }
    }

    ui::ScriptedDriver driver;
    for (const std::string& file : options.files)
        driver.answerFileDialog({true, {utf8::decode(file)}});
    bool saved = false;
    int status = 0;
    driver.onModal([&](ui::Automation& dialog) {
        if (!sections.empty())
            sections.front().run(dialog);
        if (!::IsWindow(dialog.root()))
            return;  // the steps closed it (OK saves after its question)
        if (!options.png.empty()) {
            std::string error;
            if (!ui::writePng(options.png, ui::renderWindow(dialog.root(), options.scale), &error)) {
                context.err << "connsheet: " << error << '\n';
                status = 1;
            }
        }
        auto* designer = dynamic_cast<CDlgDesigner*>(CWnd::FromHandle(dialog.root()));
        if (designer && designer->data().writeToFile(path))
            saved = true;
        dialog.click(IDCANCEL);
    });
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const ui::StepScript& section = sections[i];
        driver.onModal([&section](ui::Automation& dialog) { section.run(dialog); });
    }
    std::int64_t before = 0, after = 0;
    ObjectExportGetFileTime(path, before);
    StartDlgDesigner(path);
    // Steps that end with OK save through the designer's own question.
    if (ObjectExportGetFileTime(path, after) && after != before)
        saved = true;
    for (const std::wstring& p : driver.problems()) {
        context.err << "connsheet: " << options.steps << ": " << utf8::encode(p) << '\n';
        status = 1;
    }
    for (const std::wstring& d : driver.unfinishedDialogs())
        context.err << "connsheet: no steps left for " << utf8::encode(d) << "; it was cancelled\n";
    if (saved)
        context.out << "saved " << path.toUtf8() << '\n';
    return status;
}

}  // namespace

void addDesignCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<DesignOptions>();
    auto* command = app.add_subcommand(
        "design", "Open the dialog designer on a template, play a step file on it, and save the template");
    command
        ->add_option("NAME", options->name,
                     "Template below \"Dialog Templates/Dialog Design/\" (new: created)")
        ->required();
    command->add_option("--steps", options->steps,
                        "Step file; \"---\" lines start the steps of each dialog the steps open");
    command->add_option("--png", options->png, "Draw the designer after the steps, to this PNG file");
    command->add_option("--scale", options->scale, "Pixels per dialog pixel (1 = 96 dpi)")
        ->check(CLI::Range(1, 4));
    command->add_option("--bitmap", options->bitmap, "Give the template this BMP picture first");
    command->add_option("--file", options->files, "Answer the file dialogs the steps open, in order");
    command->callback([&context, options] { context.exitStatus = design(*options, context); });
}

}  // namespace connsheet
