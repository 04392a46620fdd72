#pragma once
// The macro writer as it was when it built an nlohmann document and dumped it. Kept for the tests
// alone: the streaming writer must give the very same bytes, so files written before and after
// compare equal.
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/MacroJsonNames.h"
#include "platform/mxbase/Mx_Macro.h"

namespace domwriter {

using Json = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
constexpr const char* kFormatName = "connsheet-macro";

using namespace macrojson::names;

Json text(const Mx_String& s) {
    return Json(s.toUtf8());
}

// Only what differs from a new pattern is written, so files without a layout stay as they are.
void writePatternLayout(const MacroBoltPattern& p, Json& j) {
    const MacroBoltPattern defaults;
    if (p.useDirection1 != defaults.useDirection1)
        j["useDirection1"] = p.useDirection1;
    if (p.alignment1 != defaults.alignment1)
        j["alignment1"] = nameOf(kAlignments, static_cast<int>(p.alignment1));
    if (p.alignment2 != defaults.alignment2)
        j["alignment2"] = nameOf(kAlignments, static_cast<int>(p.alignment2));
    if (p.fixedSpacing1 != defaults.fixedSpacing1)
        j["fixedSpacing1"] = p.fixedSpacing1;
    if (p.fixedSpacing2 != defaults.fixedSpacing2)
        j["fixedSpacing2"] = p.fixedSpacing2;
    const std::pair<const char*, const Mx_StringArray*> lists[] = {{"distances1", &p.distances1},
                                                                   {"distances2", &p.distances2}};
    for (const auto& [name, distances] : lists) {
        if (distances->isEmpty())
            continue;
        Json list = Json::array();
        for (const Mx_String& distance : *distances)
            list.push_back(text(distance));
        j[name] = std::move(list);
    }
    if (p.alternation != defaults.alternation)
        j["alternation"] = p.alternation;
    if (p.alternateRows)
        j["alternateRows"] = true;
}

// Only what differs from a new bolt tab is written, so files without bolt settings stay as they are.
void writeBoltSettings(const MacroBoltData& bolts, Json& j) {
    const MacroBoltData defaults;
    const std::pair<const char*, Mx_String MacroBoltData::*> texts[] = {
        {"holeTolerance", &MacroBoltData::holeTolerance},
        {"penetrationLength", &MacroBoltData::penetrationLength},
        {"addedLength", &MacroBoltData::addedLength}};
    for (const auto& [name, member] : texts) {
        if (!(bolts.*member == defaults.*member))
            j[name] = text(bolts.*member);
    }
    for (const SwitchMember& s : kBoltSwitches) {
        if (bolts.*s.member != defaults.*s.member)
            j[s.name] = nameOf(kSwitchStates, static_cast<int>(bolts.*s.member));
    }
    if (bolts.boltCount != defaults.boltCount)
        j["boltCount"] = bolts.boltCount;
    if (bolts.separateHoles)
        j["separateHoles"] = true;
    if (!bolts.holeParts.isEmpty()) {
        Json list = Json::array();
        for (int i = 0; i < bolts.holeParts.length(); ++i) {
            const Mx_String tolerance =
                i < bolts.holeTolerances.length() ? bolts.holeTolerances[i] : Mx_String();
            list.push_back({{"part", text(bolts.holeParts[i])}, {"tolerance", text(tolerance)}});
        }
        j["holes"] = std::move(list);
    }
    if (!bolts.slottedHoles.isEmpty()) {
        Json list = Json::array();
        for (const MacroSlottedHole& hole : bolts.slottedHoles) {
            list.push_back({{"active", hole.active},
                            {"type", hole.type},
                            {"length", text(hole.length)},
                            {"radius", text(hole.radius)},
                            {"angle", text(hole.angle)},
                            {"offset", text(hole.offset)}});
        }
        j["slottedHoles"] = std::move(list);
    }
}

Json writeModule(const Mx_Module& module) {
    Json j = Json::object();
    j["name"] = text(module.name());
    if (!module.group().isEmpty())
        j["group"] = text(module.group());
    j["kind"] = nameOf(kModuleKinds, static_cast<int>(module.kind()));
    if (!module.variables().isEmpty()) {
        Json list = Json::array();
        for (const MacroVariable& v : module.variables()) {
            list.push_back({{"name", text(v.name)},
                            {"value", v.value},
                            {"visible", v.visible},
                            {"editable", v.editable}});
        }
        j["variables"] = std::move(list);
    }
    if (!module.cuts().isEmpty()) {
        Json list = Json::array();
        for (const MacroCut& cut : module.cuts()) {
            Json c = Json::object();
            c["name"] = text(cut.name);
            if (!cut.type.isEmpty())
                c["type"] = text(cut.type);
            c["number"] = cut.number;
            Json values = Json::object();
            for (int i = 0; i < kCutValueCount; ++i) {
                if (cut.offers(i))
                    values[kCutValueKeys[i]] = cut.value(i);
            }
            c["values"] = std::move(values);
            list.push_back(std::move(c));
        }
        j["cuts"] = std::move(list);
    }
    if (!module.patterns().isEmpty()) {
        Json list = Json::array();
        for (const MacroBoltPattern& p : module.patterns()) {
            list.push_back({{"id", p.id},
                            {"name", text(p.name)},
                            {"nrBolts1", text(p.nrBolts1)},
                            {"nrBolts2", text(p.nrBolts2)},
                            {"spacing1", p.spacing1},
                            {"spacing2", p.spacing2},
                            {"twoDirections", p.twoDirections},
                            {"reverseStart1", p.reverseStart1},
                            {"reverseStart2", p.reverseStart2}});
            writePatternLayout(p, list.back());
        }
        j["patterns"] = std::move(list);
    }
    if (!module.profiles().isEmpty()) {
        Json list = Json::array();
        for (const MacroNamedPrpl& p : module.profiles()) {
            list.push_back({{"name", text(p.name)},
                            {"section", text(p.section)},
                            {"material", text(p.material)},
                            {"plate", p.isPlate}});
        }
        j["profiles"] = std::move(list);
    }
    if (!module.geometries().isEmpty()) {
        Json list = Json::array();
        for (const MacroGeometry& g : module.geometries()) {
            list.push_back({{"name", text(g.name)},
                            {"type", text(g.type)},
                            {"offset", g.offset},
                            {"flexible", g.flexible}});
        }
        j["geometry"] = std::move(list);
    }
    if (!module.constraints().isEmpty()) {
        Json list = Json::array();
        for (const MacroConstraint& c : module.constraints()) {
            Json objects = Json::array();
            for (const Mx_String& object : c.objects)
                objects.push_back(text(object));
            list.push_back({{"kind", MacroConstraint::nameOf(c.kind)},
                            {"objects", std::move(objects)},
                            {"value", c.value},
                            {"state", c.state},
                            {"useVariable", c.useVariable},
                            {"showValue", c.showValue}});
        }
        j["constraints"] = std::move(list);
    }
    if (!module.equations().isEmpty()) {
        Json list = Json::array();
        for (const Mx_String& line : module.equations())
            list.push_back(text(line));
        j["equations"] = std::move(list);
    }
    return j;
}

Json writeTab(const MacroTabData& tab) {
    Json j = Json::object();
    j["name"] = text(tab.name);
    j["kind"] = nameOf(kTabKinds, tab.kind);
    j["title"] = text(tab.title);
    j["module"] = text(tab.moduleName);
    if (!tab.templateFile.isEmpty())
        j["template"] = text(tab.templateFile);
    if (!tab.cells().isEmpty()) {
        Json list = Json::array();
        for (const MacroCell& c : tab.cells()) {
            list.push_back({{"name", text(c.name)},
                            {"kind", nameOf(kCellKinds, c.kind)},
                            {"controlId", c.controlId},
                            {"label", text(c.label)},
                            {"value", text(c.value)},
                            {"list", text(c.listText)},
                            {"readOnly", c.readOnly}});
        }
        j["cells"] = std::move(list);
    }
    if (!tab.flexFixButtons().isEmpty()) {
        Json list = Json::array();
        for (const MacroFlexFixButton& b : tab.flexFixButtons()) {
            list.push_back({{"group", text(b.group)},
                            {"variable", text(b.variable)},
                            {"fixed", b.fixed},
                            {"linked", b.linked}});
        }
        j["flexFixButtons"] = std::move(list);
    }
    const MacroBoltData* bolts = nullptr;
    if (tab.getBoltData(bolts) == Acad::eOk) {
        j["boltData"] = {{"composition", text(bolts->composition)},
                         {"diameter", text(bolts->diameter)},
                         {"holeOffset", text(bolts->holeOffset)}};
        writeBoltSettings(*bolts, j["boltData"]);
    }
    if (!tab.profGroups().isEmpty()) {
        Json list = Json::array();
        for (const MacroProfData& p : tab.profGroups()) {
            Json group = {{"group", text(p.group)},
                          {"section", text(p.section)},
                          {"material", text(p.material)},
                          {"ownedMemberName", text(p.ownedMemberName)}};
            // The placement of the group's profiles, written only when set.
            for (const auto& [key, value] : {std::pair{"offset", &p.offset}, {"basePlane", &p.basePlane}}) {
                if (!value->isEmpty())
                    group[key] = text(*value);
            }
            if (p.rotation != MacroProfData::Rot0)
                group["rotation"] = text(p.rotationText());
            list.push_back(std::move(group));
        }
        j["profileGroups"] = std::move(list);
    }
    if (!tab.arrays().isEmpty()) {
        Json list = Json::array();
        for (const DynArrayData& array : tab.arrays())
            list.push_back({{"name", text(array.name)}, {"arrayType", array.arrayType}});
        j["arrays"] = std::move(list);
    }
    return j;
}

std::string domWrite(const Mx_Macro& macro, const MacroData* tabs, macrojson::Layout layout) {
    Json j = Json::object();
    j["format"] = kFormatName;
    j["version"] = kFormatVersion;
    j["name"] = text(macro.name());
    if (!macro.description().isEmpty())
        j["description"] = text(macro.description());
    Json modules = Json::array();
    for (const Mx_Module& module : macro.modules())
        modules.push_back(writeModule(module));
    j["modules"] = std::move(modules);
    if (!macro.generalVariables().isEmpty()) {
        Json list = Json::array();
        for (const MacroGeneralVariable& v : macro.generalVariables())
            list.push_back({{"name", text(v.name)}, {"value", v.value}});
        j["generalVariables"] = std::move(list);
    }
    if (!macro.baseProfiles().isEmpty()) {
        Json list = Json::array();
        for (const MacroBaseProfile& p : macro.baseProfiles()) {
            list.push_back({{"section", text(p.section)}, {"material", text(p.material)}});
        }
        j["baseProfiles"] = std::move(list);
    }
    if (!(macro.filters() == MacroFilters())) {
        const MacroFilters& f = macro.filters();
        Json filters = Json::object();
        filters["angle180"] = f.angle180;
        filters["angle90"] = f.angle90;
        Json angles = Json::array();
        for (const Mx_String& angle : f.sectionAngles)
            angles.push_back(text(angle));
        filters["sectionAngles"] = std::move(angles);
        filters["pathDistanceMin"] = f.pathDistanceMin;
        filters["pathDistanceMax"] = f.pathDistanceMax;
        Json kinds = Json::array();
        for (const Mx_String& kind : f.sectionKinds)
            kinds.push_back(text(kind));
        filters["sectionKinds"] = std::move(kinds);
        filters["sectionSizeMin"] = f.sectionSizeMin;
        filters["sectionSizeMax"] = f.sectionSizeMax;
        Json properties = Json::array();
        for (int i = 0; i < f.propertyNames.length(); ++i)
            properties.push_back(
                {{"name", text(f.propertyNames[i])}, {"value", text(f.propertyValues.at(i))}});
        filters["properties"] = std::move(properties);
        j["filters"] = std::move(filters);
    }
    if (!macro.standards().sheets.isEmpty()) {
        Json list = Json::array();
        const MacroStandards& standards = macro.standards();
        for (int i = 0; i < standards.sheets.length(); ++i)
            list.push_back({{"sheet", text(standards.sheets[i])}, {"mapsTo", text(standards.mapsTo.at(i))}});
        j["standards"] = std::move(list);
    }
    if (tabs != nullptr && tabs->numTabs() > 0) {
        Json list = Json::array();
        for (const MacroTabData& tab : tabs->tabs())
            list.push_back(writeTab(tab));
        j["tabs"] = std::move(list);
    }
    // Texts come from Mx_String and are valid UTF-8; replacing keeps a stray bad byte from throwing.
    if (layout == macrojson::Layout::oneLine)
        return j.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
    return j.dump(2, ' ', false, nlohmann::detail::error_handler_t::replace) + "\n";
}

}  // namespace domwriter
