// The first worksheet of an .xlsx file (Office Open XML): the workbook names its sheets in order, its
// relationships say which part holds each, shared strings hold most texts.
#include <cstdlib>  // strtod
#include <map>
#include <string>
#include <vector>

#include "cli/OfficeSheet.h"
#include "cli/office/OfficeXml.h"
#include "cli/office/ZipArchive.h"

namespace connsheet::office {
namespace {

// All the text of a shared or inline string: plain (<t>) or in runs (<r><t>), phonetic hints (<rPh>)
// left out.
std::string stringItemText(const pugi::xml_node& item) {
    std::string text;
    for (const pugi::xml_node& child : item.children()) {
        const std::string_view name = localName(child);
        if (name == "t")
            text += child.text().get();
        else if (name == "r")
            for (const pugi::xml_node& t : child.children())
                if (localName(t) == "t")
                    text += t.text().get();
    }
    return text;
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
    for (const pugi::xml_node& c : node.children())
        if (localName(c) == name)
            return c;
    return {};
}

// "worksheets/sheet1.xml" relative to "xl/"; "/xl/worksheets/sheet1.xml" from the archive's root.
std::string partName(const std::string& target) {
    if (!target.empty() && target.front() == '/')
        return target.substr(1);
    return "xl/" + target;
}

bool firstSheetPart(ZipArchive& archive, std::string& part, std::string& error) {
    pugi::xml_document workbook, relations;
    const auto workbookBytes = archive.read("xl/workbook.xml");
    if (!workbookBytes) {
        error = archive.error();
        return false;
    }
    if (!parseXml(*workbookBytes, "xl/workbook.xml", workbook, error))
        return false;
    const pugi::xml_node sheet = child(child(workbook.document_element(), "sheets"), "sheet");
    std::string id;
    for (const pugi::xml_attribute& a : sheet.attributes()) {
        const std::string_view name = a.name();
        if (name.size() >= 3 && name.substr(name.size() - 3) == ":id")
            id = a.value();
    }
    if (id.empty()) {
        error = "xl/workbook.xml: no worksheet";
        return false;
    }
    const auto relationBytes = archive.read("xl/_rels/workbook.xml.rels");
    if (!relationBytes) {
        error = archive.error();
        return false;
    }
    if (!parseXml(*relationBytes, "xl/_rels/workbook.xml.rels", relations, error))
        return false;
    for (const pugi::xml_node& r : relations.document_element().children()) {
        if (localName(r) != "Relationship" || id != r.attribute("Id").value())
            continue;
        part = partName(r.attribute("Target").value());
        return true;
    }
    error = "xl/_rels/workbook.xml.rels: the first worksheet (" + id + ") has no part";
    return false;
}

}  // namespace

bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) {
    ZipArchive archive(bytes);
    if (!archive.ok()) {
        error = archive.error();
        return false;
    }
    std::string part;
    if (!firstSheetPart(archive, part, error))
        return false;

    std::vector<std::string> shared;
    if (const auto sharedBytes = archive.read("xl/sharedStrings.xml")) {
        pugi::xml_document strings;
        if (!parseXml(*sharedBytes, "xl/sharedStrings.xml", strings, error))
            return false;
        for (const pugi::xml_node& item : strings.document_element().children())
            if (localName(item) == "si")
                shared.push_back(stringItemText(item));
    }

    const auto sheetBytes = archive.read(part);
    if (!sheetBytes) {
        error = archive.error();
        return false;
    }
    pugi::xml_document sheet;
    if (!parseXml(*sheetBytes, part, sheet, error))
        return false;
    std::vector<OfficeCell> read;
    for (const pugi::xml_node& row : child(sheet.document_element(), "sheetData").children()) {
        if (localName(row) != "row")
            continue;
        for (const pugi::xml_node& c : row.children()) {
            if (localName(c) != "c")
                continue;
            OfficeCell cell;
            const std::string reference = c.attribute("r").value();
            if (!parseCellName(reference, cell.col, cell.row)) {
                // Cells without their address are allowed by the format but never written by office
                // programs; refusing them beats guessing where they go.
                error = part + ": a cell without a valid address (\"" + reference + "\")";
                return false;
            }
            const std::string type = c.attribute("t").value();
            const pugi::xml_node formula = child(c, "f");
            const std::string value = child(c, "v").text().get();
            if (formula && formula.text().get()[0] != '\0') {
                cell.text = std::string("=") + formula.text().get();
            } else if (type == "s") {
                char* end = nullptr;
                const long index = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || index < 0 ||
                    static_cast<std::size_t>(index) >= shared.size()) {
                    error = part + ": cell " + reference + " names shared string " + value +
                            ", which is not there";
                    return false;
                }
                cell.text = shared[static_cast<std::size_t>(index)];
            } else if (type == "inlineStr") {
                cell.text = stringItemText(child(c, "is"));
            } else if (type == "b") {
                cell.text = value == "1" ? "TRUE" : "FALSE";
            } else {
                // NOTE: a shared formula's followers carry no text of their own; their last value stands
                // in for them.
                cell.text = value;
            }
            if (cell.text.empty())
                continue;
            if (read.size() >= kMaxOfficeCells) {
                error = part + ": more than " + std::to_string(kMaxOfficeCells) + " cells";
                return false;
            }
            read.push_back(std::move(cell));
        }
    }
    cells.insert(cells.end(), read.begin(), read.end());
    return true;
}

}  // namespace connsheet::office
