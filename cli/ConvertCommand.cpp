// connsheet convert: a sheet from one file format to another. Reads the native grid format, CSV, TSV,
// .xlsx and .ods (the first sheet: texts, numbers, formulas); writes the native format, CSV, TSV and
// .xlsx. Looks (colours, fonts, sizes) travel only between native files.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/OfficeSheet.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"

namespace connsheet {
namespace {

std::string extensionOf(const std::string& file) {
    std::string extension = std::filesystem::path(file).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool loadOffice(const std::string& file, const std::string& extension, grid::Sheet& sheet,
                std::string& error) {
    const auto bytes = fsys::readBytes(fsys::resolve(utf8::decode(file)), &error);
    if (!bytes)
        return false;
    std::vector<OfficeCell> cells;
    std::string problem;
    if (!(extension == ".xlsx" ? readXlsx(*bytes, cells, problem) : readOds(*bytes, cells, problem))) {
        error = file + ": " + problem;
        return false;
    }
    // Loaded as the CSV text of its cells, so the grid checks every formula as it does a CSV file's.
    const grid::GridFileResult loaded =
        grid::GridFile::loadText(sheet, officeCellsAsCsv(std::move(cells)), grid::GridFileFormat::Csv, file);
    if (!loaded)
        error = loaded.diagnostic;
    return static_cast<bool>(loaded);
}

int convert(const std::string& in, const std::string& out, CommandContext& context) {
    const std::string inExtension = extensionOf(in), outExtension = extensionOf(out);
    if (outExtension == ".ods") {
        context.err << "connsheet convert: " << out << ": .ods files are read, not written (write .xlsx)\n";
        return 2;
    }
    grid::Sheet sheet;
    std::string error;
    if (inExtension == ".xlsx" || inExtension == ".ods") {
        if (!loadOffice(in, inExtension, sheet, error)) {
            context.err << "connsheet convert: " << error << '\n';
            return 1;
        }
    } else if (const grid::GridFileResult loaded = grid::GridFile::load(sheet, utf8::decode(in)); !loaded) {
        context.err << "connsheet convert: " << loaded.diagnostic << '\n';
        return 1;
    }
    sheet.recalc();  // formulas written to .xlsx carry their values
    if (outExtension == ".xlsx") {
        if (!writeXlsx(sheet, std::filesystem::path(utf8::decode(out)), error)) {
            context.err << "connsheet convert: " << out << ": " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (const grid::GridFileResult saved = grid::GridFile::save(sheet, utf8::decode(out)); !saved) {
        context.err << "connsheet convert: " << saved.diagnostic << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void addConvertCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand(
        "convert",
        "Convert a sheet between the native grid format, CSV, TSV, .xlsx (read and write) and .ods (read)");
    auto in = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    command->add_option("IN", *in, "Sheet to read; its extension tells the format (native for any other)")
        ->required();
    command->add_option("OUT", *out, "File to write: .csv, .tsv, .xlsx, anything else native")->required();
    command->callback([&context, in, out] { context.exitStatus = convert(*in, *out, context); });
}

}  // namespace connsheet
