// connsheet bill: feeds a bill of materials into the bill output as the product's list generator does
// (rows, subtotal rows, page breaks, part pictures, the title variables) and saves it; a bill named
// ".xlsx" becomes an office workbook.
//
// The rows come from CSV (the first record holds the column titles; a record whose first field is
// "!subtotal" is a subtotal row, the rest of that field being its first text; "!page" is a page break)
// or JSON:
//     {"titles": ["Mark", "Qty"], "types": [3, 1], "variables": [["Project", "Hall 7"]],
//      "rows": [["A1", "2"], {"subtotal": ["", "2"]}, {"page": true}], "pictures": {"A1": "a1.bmp"}}
#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/SheetWorkbook.h"
#include "platform/arx/AcTransaction.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/DelimitedText.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Bill.h"
#include "spread/VlSSBillOutput.h"
#include "spread/VlSSSheet.h"

namespace connsheet {
namespace {

struct BillOptions {
    std::string rows;
    std::string settingsName;
    std::string out;
    std::vector<int> types;
    std::vector<std::string> variables;  // NAME=VALUE
    std::string pictures;                // a folder of <part>.bmp
    int pictureSize = 60;
};

struct BillInput {
    Mx_StringArray titles;
    std::vector<int> types;
    Mx_StringArray names, values;
    Mx_Bill bill;
    bool hasPictures = false;
};

bool readCsv(const std::string& bytes, BillInput& input, std::string& error) {
    grid::DelimitedReader reader(bytes, grid::Delimiter::Comma);
    std::vector<Mx_StringArray> records;
    grid::DelimitedReader::Field field;
    for (;;) {
        const auto status = reader.next(field);
        if (status == grid::DelimitedReader::Status::End)
            break;
        if (status == grid::DelimitedReader::Status::Error) {
            error = reader.error();
            return false;
        }
        if (static_cast<std::size_t>(field.row) > records.size())
            records.resize(static_cast<std::size_t>(field.row));
        records[static_cast<std::size_t>(field.row - 1)].append(Mx_String(std::string(field.text)));
    }
    if (records.empty()) {
        error = "no column titles (the first record)";
        return false;
    }
    input.titles = records.front();
    input.bill.reserve(records.size());
    for (std::size_t i = 1; i < records.size(); ++i) {
        Mx_StringArray& record = records[i];
        if (!record.isEmpty() && record[0].startsWith(L"!subtotal")) {
            // The marker stands in the first column; what follows it there is that column's text.
            record[0] = record[0].getSubStringAt(9);
            if (record[0].startsWith(L" "))
                record[0].removeAt(0);
            input.bill.addSubTotal(record);
        } else if (!record.isEmpty() && record[0] == L"!page") {
            input.bill.addNewPage();
        } else {
            input.bill.addRow(record);
        }
    }
    return true;
}

Mx_StringArray texts(const nlohmann::json& array) {
    Mx_StringArray out;
    for (const nlohmann::json& item : array)
        out.append(Mx_String(item.is_string() ? item.get<std::string>() : item.dump()));
    return out;
}

bool readJson(const std::string& bytes, const std::filesystem::path& folder, BillInput& input,
              std::string& error) {
    const nlohmann::json doc = nlohmann::json::parse(bytes, nullptr, false);
    if (doc.is_discarded() || !doc.is_object()) {
        error = "not a JSON object";
        return false;
    }
    if (!doc.contains("titles") || !doc["titles"].is_array()) {
        error = "\"titles\" must be an array of column titles";
        return false;
    }
    input.titles = texts(doc["titles"]);
    if (doc.contains("types") && doc["types"].is_array())
        for (const nlohmann::json& type : doc["types"])
            input.types.push_back(type.is_number_integer() ? type.get<int>() : 0);
    if (doc.contains("variables") && doc["variables"].is_array())
        for (const nlohmann::json& pair : doc["variables"])
            if (pair.is_array() && pair.size() == 2) {
                const Mx_StringArray both = texts(pair);
                input.names.append(both[0]);
                input.values.append(both[1]);
            }
    if (doc.contains("pictures") && doc["pictures"].is_object())
        for (const auto& [part, file] : doc["pictures"].items())
            if (file.is_string()) {
                const std::filesystem::path picture = folder / file.get<std::string>();
                input.bill.setPartPicture(Mx_String(part), fsys::toWide(picture));
                input.hasPictures = true;
            }
    if (!doc.contains("rows") || !doc["rows"].is_array()) {
        error = "\"rows\" must be an array";
        return false;
    }
    for (const nlohmann::json& row : doc["rows"]) {
        if (row.is_array())
            input.bill.addRow(texts(row));
        else if (row.is_object() && row.contains("subtotal") && row["subtotal"].is_array())
            input.bill.addSubTotal(texts(row["subtotal"]));
        else if (row.is_object() && row.contains("page"))
            input.bill.addNewPage();
        else {
            error = "a row must be an array of texts, {\"subtotal\": [...]} or {\"page\": true}";
            return false;
        }
    }
    return true;
}

int runBill(const BillOptions& o, CommandContext& context) {
    const std::filesystem::path rowsPath = fsys::fromWide(utf8::decode(o.rows));
    std::string readError;
    const std::optional<std::string> bytes = fsys::readBytes(rowsPath, &readError);
    if (!bytes) {
        context.err << "connsheet: " << readError << '\n';
        return 2;
    }
    BillInput input;
    std::string error;
    const bool json = rowsPath.extension() == ".json";
    const bool read =
        json ? readJson(*bytes, rowsPath.parent_path(), input, error) : readCsv(*bytes, input, error);
    if (!read) {
        context.err << "connsheet: " << o.rows << ": " << error << '\n';
        return 2;
    }
    if (!o.types.empty())
        input.types = o.types;
    for (const std::string& variable : o.variables) {
        const std::size_t equals = variable.find('=');
        if (equals == std::string::npos) {
            context.err << "connsheet: --var " << variable << ": expected NAME=VALUE\n";
            return 2;
        }
        input.names.append(Mx_String(variable.substr(0, equals)));
        input.values.append(Mx_String(variable.substr(equals + 1)));
    }
    if (!o.pictures.empty()) {
        for (const Mx_Bill::Line& line : input.bill.lines()) {
            if (line.kind != Mx_Bill::Line::Kind::Row || line.texts.isEmpty())
                continue;
            const std::filesystem::path picture =
                fsys::fromWide(utf8::decode(o.pictures)) / (line.texts[0].toUtf8() + ".bmp");
            if (fsys::exists(picture)) {
                input.bill.setPartPicture(line.texts[0], fsys::toWide(picture));
                input.hasPictures = true;
            }
        }
    }

    setSheetFileWriter(L".xlsx", writeSheetWorkbook);
    const std::filesystem::path outPath = fsys::fromWide(utf8::decode(o.out));
    const auto before = fsys::stamp(outPath);
    AcTransaction transaction;
    VlSSBillOutput output;
    if (input.hasPictures)
        output.setVars(-1, o.pictureSize, 0, true, true, &input.bill, &transaction);
    const Acad::ErrorStatus started = output.init(Mx_String(o.out), input.titles, {}, input.types,
                                                  Mx_String(o.settingsName), input.names, input.values);
    if (started != Acad::eOk) {
        context.err << "connsheet: the bill could not be started (status " << started << ")\n";
        return 1;
    }
    input.bill.feed(output);
    fsys::StatScope::forget();
    const auto after = fsys::stamp(outPath);
    if (!after || after == before) {
        context.err << "connsheet: " << o.out << ": the bill could not be saved\n";
        return 1;
    }
    context.out << "bill: " << output.currentRow() << " rows written to " << o.out << '\n';
    return 0;
}

}  // namespace

void addBillCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<BillOptions>();
    auto* command = app.add_subcommand("bill", "Feed a bill of materials into a sheet and save it");
    command->add_option("ROWS", options->rows, "The bill's rows: .csv (first record: titles) or .json")
        ->required();
    command->add_option("--template", options->settingsName,
                        "Settings file name (<installation>/NAME.vld; else the registry's default)");
    command->add_option("--out", options->out, "The bill file; .xlsx makes an office workbook")->required();
    command->add_option("--types", options->types, "Column types: 1 integer, 2 one decimal, 3 text")
        ->delimiter(',');
    command->add_option("--var", options->variables, "A variable of the bill's settings (NAME=VALUE)");
    command->add_option("--pictures", options->pictures, "A folder of part pictures named <first text>.bmp");
    command->add_option("--picture-size", options->pictureSize, "The size asked of the image maker")
        ->check(CLI::Range(1, 2000));
    command->callback([&context, options] { context.exitStatus = runBill(*options, context); });
}

}  // namespace connsheet
