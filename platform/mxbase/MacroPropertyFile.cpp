#include "platform/mxbase/MacroPropertyFile.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/MacroData.h"

namespace macroprops {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormatName = "connsheet-macro-properties";
constexpr int kFormatVersion = 1;
constexpr int kMaxDepth = 8;

Mx_String textOf(const Json& value) {
    return Mx_String(value.get<std::string>());
}

// The texts of a file end up in cells and in line-based files of the product: no control characters.
bool isCleanText(const Json& value) {
    if (!value.is_string())
        return false;
    for (unsigned char c : value.get_ref<const std::string&>()) {
        if (c < 0x20 || c == 0x7f)
            return false;
    }
    return true;
}

struct Problem {
    std::string text;
};

void require(bool condition, const std::string& path, const std::string& problem) {
    if (!condition)
        throw Problem{path + ": " + problem};
}

void checkMembers(const Json& object, const std::string& path, std::initializer_list<const char*> allowed) {
    require(object.is_object(), path.empty() ? "/" : path, "expected an object");
    for (const auto& [key, value] : object.items()) {
        bool known = false;
        for (const char* name : allowed)
            known = known || key == name;
        require(known, path + "/" + key, "unknown member");
    }
}

const Json* member(const Json& object, const char* name) {
    auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

Mx_String requiredText(const Json& object, const char* name, const std::string& path) {
    const Json* value = member(object, name);
    require(value != nullptr, path + "/" + name, "missing");
    require(isCleanText(*value), path + "/" + name, "expected a text without control characters");
    return textOf(*value);
}

// Sets `target` to the file's text when it differs; counts the change.
void take(const Json& object, const char* name, const std::string& path, Mx_String& target, int& count) {
    const Json* value = member(object, name);
    if (value == nullptr)
        return;
    require(isCleanText(*value), path + "/" + name, "expected a text without control characters");
    const Mx_String text = textOf(*value);
    if (!(text == target)) {
        target = text;
        ++count;
    }
}

void readTab(const Json& json, const std::string& path, MacroData& data, int& count) {
    checkMembers(json, path, {"name", "cells", "boltData", "profileGroups"});
    const Mx_String name = requiredText(json, "name", path);
    MacroTabData* tab = nullptr;
    data.findTab(name, tab);  // a tab this macro does not have is checked and left out
    MacroTabData ignored;
    MacroTabData& target = tab != nullptr ? *tab : ignored;
    if (const Json* cells = member(json, "cells")) {
        require(cells->is_array(), path + "/cells", "expected an array");
        for (std::size_t i = 0; i < cells->size(); ++i) {
            const std::string at = path + "/cells/" + std::to_string(i);
            checkMembers((*cells)[i], at, {"name", "value"});
            const Mx_String cellName = requiredText((*cells)[i], "name", at);
            MacroCell* cell = target.findCell(cellName);
            Mx_String scratch;
            if (cell != nullptr && !cell->readOnly) {
                take((*cells)[i], "value", at, cell->value, count);
            } else {
                int none = 0;
                take((*cells)[i], "value", at, scratch, none);
            }
        }
    }
    if (const Json* bolts = member(json, "boltData")) {
        const std::string at = path + "/boltData";
        checkMembers(*bolts, at, {"composition", "diameter", "holeOffset"});
        MacroBoltData* boltData = nullptr;
        MacroBoltData scratch;
        if (target.getBoltData(boltData) != Acad::eOk)
            boltData = &scratch;
        int none = 0;
        int& counter = boltData == &scratch ? none : count;
        take(*bolts, "composition", at, boltData->composition, counter);
        take(*bolts, "diameter", at, boltData->diameter, counter);
        take(*bolts, "holeOffset", at, boltData->holeOffset, counter);
    }
    if (const Json* groups = member(json, "profileGroups")) {
        require(groups->is_array(), path + "/profileGroups", "expected an array");
        for (std::size_t i = 0; i < groups->size(); ++i) {
            const std::string at = path + "/profileGroups/" + std::to_string(i);
            checkMembers((*groups)[i], at, {"group", "section", "material", "ownedMemberName"});
            const Mx_String group = requiredText((*groups)[i], "group", at);
            MacroProfData props;
            const bool known =
                target.getMergedPropsOfGroup(group, props) == Acad::eOk && props.group.equal(group, false);
            int none = 0;
            int& counter = known ? count : none;
            take((*groups)[i], "section", at, props.section, counter);
            take((*groups)[i], "material", at, props.material, counter);
            take((*groups)[i], "ownedMemberName", at, props.ownedMemberName, counter);
            if (known)
                target.setMergedPropsOfGroup(group, props);
        }
    }
}

}  // namespace

std::string write(const MacroData& data) {
    Json document = Json::object();
    document["format"] = kFormatName;
    document["version"] = kFormatVersion;
    Json tabs = Json::array();
    for (const MacroTabData& tab : data.tabs()) {
        Json json = Json::object();
        json["name"] = tab.name.toUtf8();
        Json cells = Json::array();
        for (const MacroCell& cell : tab.cells())
            cells.push_back(Json{{"name", cell.name.toUtf8()}, {"value", cell.value.toUtf8()}});
        if (!cells.empty())
            json["cells"] = cells;
        const MacroBoltData* bolts = nullptr;
        if (tab.getBoltData(bolts) == Acad::eOk) {
            json["boltData"] = Json{{"composition", bolts->composition.toUtf8()},
                                    {"diameter", bolts->diameter.toUtf8()},
                                    {"holeOffset", bolts->holeOffset.toUtf8()}};
        }
        Json groups = Json::array();
        for (const MacroProfData& props : tab.profGroups()) {
            groups.push_back(Json{{"group", props.group.toUtf8()},
                                  {"section", props.section.toUtf8()},
                                  {"material", props.material.toUtf8()},
                                  {"ownedMemberName", props.ownedMemberName.toUtf8()}});
        }
        if (!groups.empty())
            json["profileGroups"] = groups;
        tabs.push_back(json);
    }
    document["tabs"] = tabs;
    return document.dump(2) + "\n";
}

bool read(std::string_view json, MacroData& data, int& count, Mx_String& error) {
    Json document;
    std::string problem;
    if (!parseJsonWithin(json, kMaxDepth, document, problem)) {
        error = Mx_String(problem);
        return false;
    }
    // Read into a copy, so that a problem found half way leaves the data as it was.
    MacroData copy;
    copy.setTabsFrom(data);
    int changes = 0;
    try {
        checkMembers(document, "", {"format", "version", "tabs"});
        const Json* format = member(document, "format");
        require(format == nullptr || (format->is_string() && format->get<std::string>() == kFormatName),
                "/format", std::string("must be \"") + kFormatName + "\"");
        const Json* version = member(document, "version");
        require(version != nullptr, "/version", "missing");
        require(version->is_number_integer(), "/version", "expected a whole number");
        require(version->get<long long>() == kFormatVersion, "/version",
                "unsupported version " + version->dump() + " (this program reads version 1)");
        if (const Json* tabs = member(document, "tabs")) {
            require(tabs->is_array(), "/tabs", "expected an array");
            for (std::size_t i = 0; i < tabs->size(); ++i)
                readTab((*tabs)[i], "/tabs/" + std::to_string(i), copy, changes);
        }
    } catch (const Problem& failure) {
        error = Mx_String(failure.text);
        return false;
    } catch (const std::exception& failure) {
        error = Mx_String(jsonErrorText(failure));
        return false;
    }
    data.setTabsFrom(copy);
    count = changes;
    return true;
}

}  // namespace macroprops
