// The first table of an .ods file (OpenDocument spreadsheet): content.xml holds the tables, rows and
// cells, each row and cell possibly standing for several in a row ("number-...-repeated").
#include <algorithm>
#include <cstdlib>  // strtol
#include <string>
#include <vector>

#include "cli/OfficeSheet.h"
#include "cli/office/OfficeXml.h"
#include "cli/office/ZipArchive.h"

namespace connsheet::office {
namespace {

constexpr long kMaxRepeat = 1048576;  // the most rows a sheet has; more is a broken file

// "of:=SUM([.A1:.B2]; [$Other.C3])" -> "=SUM(A1:B2, C3)": references lose their brackets and sheet
// names, arguments are separated by ",". Texts in quotes are copied as they are.
std::string fromOpenFormula(const std::string& formula) {
    const auto equals = formula.find('=');
    const std::string body = equals == std::string::npos ? formula : formula.substr(equals + 1);
    std::string out = "=";
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '"') {
            const auto close = body.find('"', i + 1);
            const std::size_t end = close == std::string::npos ? body.size() : close + 1;
            out += body.substr(i, end - i);
            i = end - 1;
        } else if (c == '[') {
            const auto close = body.find(']', i + 1);
            const std::string reference =
                body.substr(i + 1, (close == std::string::npos ? body.size() : close) - i - 1);
            std::size_t start = 0;
            for (std::size_t k = 0; k <= reference.size(); ++k) {
                if (k < reference.size() && reference[k] != ':')
                    continue;
                std::string part = reference.substr(start, k - start);
                const auto dot = part.rfind('.');
                if (dot != std::string::npos)
                    part = part.substr(dot + 1);
                if (start > 0)
                    out += ':';
                out += part;
                start = k + 1;
            }
            i = close == std::string::npos ? body.size() : close;
        } else {
            out += c == ';' ? ',' : c;
        }
    }
    return out;
}

// The cell's paragraphs, one line each; spaces written as <text:s text:c="3"/> become blanks again.
void appendText(const pugi::xml_node& node, std::string& text) {
    for (const pugi::xml_node& part : node.children()) {
        if (part.type() == pugi::node_pcdata) {
            text += part.value();
            continue;
        }
        const std::string_view name = localName(part);
        if (name == "s") {
            const long count = std::max(1L, std::min(1000L, part.attribute("text:c").as_int(1) + 0L));
            text.append(static_cast<std::size_t>(count), ' ');
        } else if (name == "tab") {
            text += '\t';
        } else if (name == "line-break") {
            text += '\n';
        } else if (name != "annotation") {
            appendText(part, text);
        }
    }
}

std::string cellText(const pugi::xml_node& cell) {
    if (const char* formula = cell.attribute("table:formula").value(); formula[0] != '\0')
        return fromOpenFormula(formula);
    const std::string type = cell.attribute("office:value-type").value();
    if (type == "float" || type == "percentage" || type == "currency")
        return cell.attribute("office:value").value();
    if (type == "boolean")
        return cell.attribute("office:boolean-value").as_bool() ? "TRUE" : "FALSE";
    if (type == "date")
        return cell.attribute("office:date-value").value();
    if (type == "time")
        return cell.attribute("office:time-value").value();
    std::string text;
    bool first = true;
    for (const pugi::xml_node& p : cell.children()) {
        if (localName(p) != "p")
            continue;
        if (!first)
            text += '\n';
        appendText(p, text);
        first = false;
    }
    return text;
}

long repeated(const pugi::xml_node& node, const char* attribute) {
    const long count = std::strtol(node.attribute(attribute).value(), nullptr, 10);
    return count < 1 ? 1 : std::min(count, kMaxRepeat);
}

struct TableReader {
    std::vector<OfficeCell>& cells;
    std::string& error;
    long row = 0;  // rows before the one being read

    bool rows(const pugi::xml_node& parent, int depth = 0) {
        if (depth > 8) {
            error = "content.xml: row groups nested too deep";
            return false;
        }
        for (const pugi::xml_node& node : parent.children()) {
            const std::string_view name = localName(node);
            if (name == "table-header-rows" || name == "table-rows" || name == "table-row-group") {
                if (!rows(node, depth + 1))
                    return false;
            } else if (name == "table-row") {
                const long times = repeated(node, "table:number-rows-repeated");
                for (long k = 0; k < times; ++k) {
                    ++row;
                    if (row > kMaxRepeat) {
                        error = "content.xml: more than " + std::to_string(kMaxRepeat) + " rows";
                        return false;
                    }
                    const std::size_t before = cells.size();
                    if (!columns(node))
                        return false;
                    // Empty rows repeated to the end of the sheet add nothing: skip them at once.
                    if (cells.size() == before) {
                        row += times - k - 1;
                        break;
                    }
                }
            }
        }
        return true;
    }

    bool columns(const pugi::xml_node& tableRow) {
        long col = 0;
        for (const pugi::xml_node& cell : tableRow.children()) {
            const std::string_view name = localName(cell);
            if (name != "table-cell" && name != "covered-table-cell")
                continue;
            const long times = repeated(cell, "table:number-columns-repeated");
            const std::string text = name == "table-cell" ? cellText(cell) : std::string();
            if (text.empty()) {
                col += times;
                continue;
            }
            for (long k = 0; k < times; ++k) {
                ++col;
                if (col > 16384 || cells.size() >= kMaxOfficeCells) {
                    error = "content.xml: row " + std::to_string(row) + " has more cells than a sheet holds";
                    return false;
                }
                cells.push_back({static_cast<std::int32_t>(row), static_cast<std::int32_t>(col), text});
            }
        }
        return true;
    }
};

}  // namespace

bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) {
    ZipArchive archive(bytes);
    if (!archive.ok()) {
        error = archive.error();
        return false;
    }
    const auto content = archive.read("content.xml");
    if (!content) {
        error = archive.error();
        return false;
    }
    pugi::xml_document document;
    if (!parseXml(*content, "content.xml", document, error))
        return false;
    // find_node walks without recursion, so a deeply nested file cannot exhaust the stack.
    const pugi::xml_node table = document.find_node([](const pugi::xml_node& n) {
        return localName(n) == "table" && localName(n.parent()) == "spreadsheet";
    });
    if (!table) {
        error = "content.xml: no table";
        return false;
    }
    std::vector<OfficeCell> read;
    TableReader reader{read, error};
    if (!reader.rows(table))
        return false;
    cells.insert(cells.end(), read.begin(), read.end());
    return true;
}

}  // namespace connsheet::office
