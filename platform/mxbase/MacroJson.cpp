#include "platform/mxbase/MacroJson.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/NumberFunctions.h"

namespace macrojson {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
constexpr const char* kFormatName = "connsheet-macro";
// The format nests five levels deep; anything much deeper is not a macro file and is refused before
// it can cost stack or memory.
constexpr int kMaxDepth = 32;

constexpr const char* kCutValueKeys[kCutValueCount] = {
    "offset",        "polyOffset",     "lengthOffset",   "centerOffset", "insideOffset",
    "outsideOffset", "chamferOffset1", "chamferOffset2", "radius",
};

struct Named {
    const char* name;
    int value;
};
constexpr Named kModuleKinds[] = {{"general", 0}, {"bolt", 1}, {"profile", 2}};
constexpr Named kTabKinds[] = {{"general", MacroTabData::kGeneral},
                               {"bolt", MacroTabData::kBolt},
                               {"profile", MacroTabData::kProfile},
                               {"array", MacroTabData::kArray}};
constexpr Named kCellKinds[] = {{"number", MacroCell::kNumber},
                                {"text", MacroCell::kText},
                                {"combo", MacroCell::kCombo},
                                {"editCombo", MacroCell::kEditCombo},
                                {"checkBox", MacroCell::kCheckBox}};

template <std::size_t N>
const char* nameOf(const Named (&table)[N], int value) {
    for (const Named& entry : table) {
        if (entry.value == value)
            return entry.name;
    }
    return table[0].name;
}

// Walks a parsed document and remembers where it is, so that the first problem found can be reported
// with its JSON path. After a failure every further check fails at once.
class Reader {
public:
    bool failed() const { return failed_; }
    const std::string& message() const { return message_; }

    bool fail(const std::string& problem) {
        if (!failed_) {
            failed_ = true;
            message_ = pathText() + ": " + problem;
        }
        return false;
    }
    bool failAt(const std::string& member, const std::string& problem) {
        Scope scope(*this, member);
        return fail(problem);
    }

    class Scope {
    public:
        Scope(Reader& reader, std::string segment) : reader_(reader) {
            reader_.path_.push_back(std::move(segment));
        }
        Scope(Reader& reader, std::size_t index) : Scope(reader, std::to_string(index)) {}
        ~Scope() { reader_.path_.pop_back(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Reader& reader_;
    };

    // The value must be an object whose members are all in `allowed`.
    bool object(const Json& value, std::initializer_list<const char*> allowed) {
        if (failed_)
            return false;
        if (!value.is_object())
            return fail("expected an object");
        for (auto it = value.begin(); it != value.end(); ++it) {
            bool known = false;
            for (const char* name : allowed)
                known = known || it.key() == name;
            if (!known)
                return failAt(it.key(), "unknown member");
        }
        return true;
    }

    // A member that may be absent leaves `out` as it is; `required` makes absence a failure.
    bool text(const Json& owner, const char* member, Mx_String& out, bool required = false) {
        const Json* value = find(owner, member, required);
        if (value == nullptr)
            return !failed_;
        if (!value->is_string())
            return failAt(member, "expected a string");
        const std::string& bytes = value->get_ref<const std::string&>();
        for (unsigned char c : bytes) {
            if (c < 0x20)
                return failAt(member, "control characters are not allowed in texts");
        }
        out = Mx_String(bytes);
        if (required && out.isEmpty())
            return failAt(member, "expected a non-empty string");
        return true;
    }

    // A text that may also be written as a number (counts, bolt diameters).
    bool textOrNumber(const Json& owner, const char* member, Mx_String& out) {
        const Json* value = find(owner, member, false);
        if (value == nullptr)
            return !failed_;
        if (value->is_number()) {
            out = formatShortest(value->get<double>());
            return true;
        }
        if (!value->is_string())
            return failAt(member, "expected a string or a number");
        return text(owner, member, out);
    }

    bool number(const Json& owner, const char* member, double& out, bool required = false) {
        const Json* value = find(owner, member, required);
        if (value == nullptr)
            return !failed_;
        if (!value->is_number())
            return failAt(member, "expected a number");
        double number = value->get<double>();
        if (!std::isfinite(number))
            return failAt(member, "expected a finite number");
        out = number;
        return true;
    }

    bool integer(const Json& owner, const char* member, int& out, int low, int high) {
        const Json* value = find(owner, member, false);
        if (value == nullptr)
            return !failed_;
        bool whole = value->is_number_integer();
        if (!whole && value->is_number_float()) {
            double d = value->get<double>();
            whole = std::isfinite(d) && std::floor(d) == d && std::fabs(d) < 1e15;
        }
        if (!whole)
            return failAt(member, "expected a whole number");
        double d = value->get<double>();
        if (d < low || d > high) {
            return failAt(member, "expected a whole number from " + std::to_string(low) + " to " +
                                      std::to_string(high));
        }
        out = static_cast<int>(d);
        return true;
    }

    bool boolean(const Json& owner, const char* member, bool& out) {
        const Json* value = find(owner, member, false);
        if (value == nullptr)
            return !failed_;
        if (!value->is_boolean())
            return failAt(member, "expected true or false");
        out = value->get<bool>();
        return true;
    }

    template <std::size_t N>
    bool choice(const Json& owner, const char* member, const Named (&table)[N], int& out) {
        const Json* value = find(owner, member, false);
        if (value == nullptr)
            return !failed_;
        if (value->is_string()) {
            for (const Named& entry : table) {
                if (value->get_ref<const std::string&>() == entry.name) {
                    out = entry.value;
                    return true;
                }
            }
        }
        std::string expected;
        for (const Named& entry : table)
            expected += std::string(expected.empty() ? "" : ", ") + "\"" + entry.name + "\"";
        return failAt(member, "expected one of " + expected);
    }

    // The member as an array, or nullptr when absent (or on failure).
    const Json* array(const Json& owner, const char* member) {
        const Json* value = find(owner, member, false);
        if (value == nullptr)
            return nullptr;
        if (!value->is_array()) {
            failAt(member, "expected an array");
            return nullptr;
        }
        return value;
    }

private:
    const Json* find(const Json& owner, const char* member, bool required) {
        if (failed_)
            return nullptr;
        auto it = owner.find(member);
        if (it == owner.end()) {
            if (required)
                failAt(member, "missing");
            return nullptr;
        }
        return &*it;
    }

    std::string pathText() const {
        if (path_.empty())
            return "/";
        std::string text;
        for (const std::string& segment : path_) {
            text += '/';
            // JSON pointer escapes, so that a member name with "/" in it cannot fake a path.
            for (char c : segment) {
                if (c == '~')
                    text += "~0";
                else if (c == '/')
                    text += "~1";
                else
                    text += c;
            }
        }
        return text;
    }

    std::vector<std::string> path_;
    bool failed_ = false;
    std::string message_;
};

std::string quoted(const Mx_String& name) {
    return "\"" + name.toUtf8() + "\"";
}

bool added(Reader& reader, Acad::ErrorStatus status, const Mx_String& name) {
    if (status == Acad::eOk)
        return true;
    if (status == Acad::eDuplicateKey)
        return reader.fail("duplicate name " + quoted(name));
    return reader.fail("cannot be added (" + std::string(acadErrorStatusText(status)) + ")");
}

void readVariable(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"name", "value", "visible", "editable"}))
        return;
    MacroVariable v;
    r.text(j, "name", v.name, true);
    r.number(j, "value", v.value, true);
    r.boolean(j, "visible", v.visible);
    r.boolean(j, "editable", v.editable);
    if (!r.failed())
        added(r, module.addVariable(v), v.name);
}

void readCut(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"name", "type", "number", "values"}))
        return;
    MacroCut cut;
    r.text(j, "name", cut.name, true);
    r.text(j, "type", cut.type);
    r.integer(j, "number", cut.number, 0, 1000000);
    if (r.failed())
        return;
    if (auto it = j.find("values"); it != j.end()) {
        Reader::Scope scope(r, "values");
        if (!r.object(*it, {kCutValueKeys[0], kCutValueKeys[1], kCutValueKeys[2], kCutValueKeys[3],
                            kCutValueKeys[4], kCutValueKeys[5], kCutValueKeys[6], kCutValueKeys[7],
                            kCutValueKeys[8]})) {
            return;
        }
        for (int i = 0; i < kCutValueCount; ++i) {
            double value = 0.0;
            if (it->contains(kCutValueKeys[i]) && r.number(*it, kCutValueKeys[i], value))
                cut.setValue(i, value);
        }
    }
    if (!r.failed())
        added(r, module.addCut(cut), cut.name);
}

// --- how the pattern dialog lays a pattern out

constexpr Named kAlignments[] = {{"varies", static_cast<int>(PatternAlignment::Varies)},
                                 {"end", static_cast<int>(PatternAlignment::End)},
                                 {"distributed", static_cast<int>(PatternAlignment::Distributed)},
                                 {"start", static_cast<int>(PatternAlignment::Start)}};

void readDistances(Reader& r, const Json& j, const char* member, Mx_StringArray& out) {
    const Json* list = r.array(j, member);
    if (list == nullptr)
        return;
    Reader::Scope scope(r, member);
    for (std::size_t i = 0; i < list->size() && !r.failed(); ++i) {
        // Each distance is read as a member would be, so it may be a text or a number.
        const Json holder = {{"distance", (*list)[i]}};
        Reader::Scope item(r, i);
        Mx_String distance;
        r.textOrNumber(holder, "distance", distance);
        out.append(distance);
    }
}

void readPatternLayout(Reader& r, const Json& j, MacroBoltPattern& p) {
    r.boolean(j, "useDirection1", p.useDirection1);
    int alignment = static_cast<int>(p.alignment1);
    r.choice(j, "alignment1", kAlignments, alignment);
    p.alignment1 = static_cast<PatternAlignment>(alignment);
    alignment = static_cast<int>(p.alignment2);
    r.choice(j, "alignment2", kAlignments, alignment);
    p.alignment2 = static_cast<PatternAlignment>(alignment);
    r.boolean(j, "fixedSpacing1", p.fixedSpacing1);
    r.boolean(j, "fixedSpacing2", p.fixedSpacing2);
    readDistances(r, j, "distances1", p.distances1);
    readDistances(r, j, "distances2", p.distances2);
    r.integer(j, "alternation", p.alternation, 0, 5);
    r.boolean(j, "alternateRows", p.alternateRows);
}

void readPattern(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"id", "name", "nrBolts1", "nrBolts2", "spacing1", "spacing2", "twoDirections",
                      "reverseStart1", "reverseStart2", "useDirection1", "alignment1", "alignment2",
                      "fixedSpacing1", "fixedSpacing2", "distances1", "distances2", "alternation",
                      "alternateRows"})) {
        return;
    }
    MacroBoltPattern p;
    r.integer(j, "id", p.id, 1, 1000000);
    r.text(j, "name", p.name, true);
    r.textOrNumber(j, "nrBolts1", p.nrBolts1);
    r.textOrNumber(j, "nrBolts2", p.nrBolts2);
    r.number(j, "spacing1", p.spacing1);
    r.number(j, "spacing2", p.spacing2);
    r.boolean(j, "twoDirections", p.twoDirections);
    r.boolean(j, "reverseStart1", p.reverseStart1);
    r.boolean(j, "reverseStart2", p.reverseStart2);
    readPatternLayout(r, j, p);
    if (r.failed())
        return;
    if (p.nrBolts1.isEmpty())
        r.failAt("nrBolts1", "expected a non-empty count");
    if (p.nrBolts2.isEmpty())
        r.failAt("nrBolts2", "expected a non-empty count");
    if (!r.failed())
        added(r, module.addPattern(p), p.name);
}

void readProfile(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"name", "section", "material", "plate"}))
        return;
    MacroNamedPrpl p;
    r.text(j, "name", p.name);
    r.text(j, "section", p.section);
    r.text(j, "material", p.material);
    r.boolean(j, "plate", p.isPlate);
    if (!r.failed())
        added(r, module.addProfile(p), p.name);
}

void readGeometry(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"name", "type", "offset", "flexible"}))
        return;
    MacroGeometry g;
    r.text(j, "name", g.name, true);
    r.text(j, "type", g.type);
    r.number(j, "offset", g.offset);
    r.boolean(j, "flexible", g.flexible);
    if (r.failed())
        return;
    if (!MacroGeometry::isType(g.type)) {
        r.failAt("type",
                 "expected one of \"point\", \"line\", \"plane\", \"circle\", \"coordSys\", "
                 "\"boltPattern\"");
        return;
    }
    added(r, module.addGeometry(g), g.name);
}

void readConstraint(Reader& r, const Json& j, Mx_Module& module) {
    if (!r.object(j, {"kind", "objects", "value", "state", "useVariable", "showValue"}))
        return;
    MacroConstraint c;
    if (!j.contains("kind")) {
        r.failAt("kind", "missing");
        return;
    }
    bool known = false;
    if (j["kind"].is_string()) {
        for (int kind = 0; kind < MacroConstraint::kKindCount && !known; ++kind) {
            known = j["kind"].get_ref<const std::string&>() == MacroConstraint::nameOf(kind);
            c.kind = kind;
        }
    }
    if (!known) {
        r.failAt("kind", "expected a constraint kind such as \"parallel\" or \"distance\"");
        return;
    }
    if (const Json* objects = r.array(j, "objects")) {
        Reader::Scope scope(r, "objects");
        for (std::size_t i = 0; i < objects->size() && !r.failed(); ++i) {
            Reader::Scope item(r, i);
            const Json& name = (*objects)[i];
            if (!name.is_string() || name.get_ref<const std::string&>().empty()) {
                r.fail("expected the name of a geometry");
                return;
            }
            c.objects.append(Mx_String(name.get_ref<const std::string&>()));
            if (module.findGeometry(c.objects.last()) < 0) {
                r.fail("the module has no geometry \"" + name.get_ref<const std::string&>() + "\"");
                return;
            }
        }
    }
    r.number(j, "value", c.value);
    r.integer(j, "state", c.state, 0, 4);
    r.boolean(j, "useVariable", c.useVariable);
    r.boolean(j, "showValue", c.showValue);
    if (r.failed())
        return;
    const int wanted = MacroConstraint::objectsOf(c.kind);
    if (c.objects.length() != wanted) {
        r.failAt("objects", "a " + std::string(MacroConstraint::nameOf(c.kind)) + " constraint ties " +
                                std::to_string(wanted) + (wanted == 1 ? " object" : " objects"));
        return;
    }
    module.addConstraint(c);
}

void readEquations(Reader& r, const Json& j, Mx_Module& module) {
    const Json* list = r.array(j, "equations");
    if (list == nullptr)
        return;
    Reader::Scope scope(r, "equations");
    for (std::size_t i = 0; i < list->size() && !r.failed(); ++i) {
        Reader::Scope item(r, i);
        const Json& line = (*list)[i];
        if (!line.is_string()) {
            r.fail("expected a string");
            return;
        }
        for (unsigned char c : line.get_ref<const std::string&>()) {
            if (c < 0x20) {
                r.fail("control characters are not allowed in texts");
                return;
            }
        }
        module.equations().append(Mx_String(line.get_ref<const std::string&>()));
    }
}

template <typename ReadItem>
void readList(Reader& r, const Json& owner, const char* member, ReadItem readItem) {
    const Json* list = r.array(owner, member);
    if (list == nullptr)
        return;
    Reader::Scope scope(r, member);
    for (std::size_t i = 0; i < list->size() && !r.failed(); ++i) {
        Reader::Scope item(r, i);
        readItem((*list)[i]);
    }
}

void readModule(Reader& r, const Json& j, Mx_Macro& macro) {
    if (!r.object(j, {"name", "group", "kind", "variables", "cuts", "patterns", "profiles", "geometry",
                      "constraints", "equations"}))
        return;
    Mx_String name, group;
    int kind = 0;
    r.text(j, "name", name, true);
    r.text(j, "group", group);
    r.choice(j, "kind", kModuleKinds, kind);
    if (r.failed())
        return;
    Mx_Module module(name, group, static_cast<Mx_ModuleKind>(kind));
    readList(r, j, "variables", [&](const Json& item) { readVariable(r, item, module); });
    readList(r, j, "cuts", [&](const Json& item) { readCut(r, item, module); });
    if (!r.failed() && j.contains("patterns") && !module.isBoltModule()) {
        r.failAt("patterns", "only bolt modules have bolt patterns");
        return;
    }
    readList(r, j, "patterns", [&](const Json& item) { readPattern(r, item, module); });
    readList(r, j, "profiles", [&](const Json& item) { readProfile(r, item, module); });
    // Geometry first: constraints name it.
    readList(r, j, "geometry", [&](const Json& item) { readGeometry(r, item, module); });
    readList(r, j, "constraints", [&](const Json& item) { readConstraint(r, item, module); });
    readEquations(r, j, module);
    if (!r.failed())
        added(r, macro.addModule(module), name);
}

void readGenVar(Reader& r, const Json& j, Mx_Macro& macro) {
    if (!r.object(j, {"name", "value"}))
        return;
    MacroGeneralVariable v;
    r.text(j, "name", v.name, true);
    r.number(j, "value", v.value, true);
    if (r.failed())
        return;
    if (!MacroGeneralVariable::isValidName(v.name)) {
        r.failAt("name", "expected a name starting with \"gen_\"");
        return;
    }
    added(r, macro.addGenVar(v), v.name);
}

void readBaseProfile(Reader& r, const Json& j, Mx_Macro& macro) {
    if (!r.object(j, {"section", "material"}))
        return;
    MacroBaseProfile p;
    r.text(j, "section", p.section, true);
    r.text(j, "material", p.material);
    if (!r.failed())
        macro.addBaseProf(p);
}

// A list of texts: each item a string without control characters.
void readTexts(Reader& r, const Json& owner, const char* member, Mx_StringArray& out) {
    readList(r, owner, member, [&](const Json& item) {
        if (!item.is_string()) {
            r.fail("expected a string");
            return;
        }
        Json wrapper = Json::object();
        wrapper["text"] = item;
        Mx_String text;
        r.text(wrapper, "text", text);
        out.append(text);
    });
}

void readFilters(Reader& r, const Json& document, Mx_Macro& macro) {
    auto it = document.find("filters");
    if (it == document.end() || r.failed())
        return;
    Reader::Scope scope(r, "filters");
    const Json& j = *it;
    if (!r.object(j, {"angle180", "angle90", "sectionAngles", "pathDistanceMin", "pathDistanceMax",
                      "sectionKinds", "sectionSizeMin", "sectionSizeMax", "properties"}))
        return;
    MacroFilters f;
    r.boolean(j, "angle180", f.angle180);
    r.boolean(j, "angle90", f.angle90);
    readTexts(r, j, "sectionAngles", f.sectionAngles);
    r.number(j, "pathDistanceMin", f.pathDistanceMin);
    r.number(j, "pathDistanceMax", f.pathDistanceMax);
    readTexts(r, j, "sectionKinds", f.sectionKinds);
    r.number(j, "sectionSizeMin", f.sectionSizeMin);
    r.number(j, "sectionSizeMax", f.sectionSizeMax);
    readList(r, j, "properties", [&](const Json& item) {
        if (!r.object(item, {"name", "value"}))
            return;
        Mx_String name, value;
        r.text(item, "name", name, true);
        r.text(item, "value", value);
        f.propertyNames.append(name);
        f.propertyValues.append(value);
    });
    if (!r.failed())
        macro.setFilters(f);
}

void readStandardsSheet(Reader& r, const Json& j, MacroStandards& standards) {
    if (!r.object(j, {"sheet", "mapsTo"}))
        return;
    Mx_String sheet, mapsTo;
    r.text(j, "sheet", sheet, true);
    r.text(j, "mapsTo", mapsTo);
    standards.sheets.append(sheet);
    standards.mapsTo.append(mapsTo);
}

void readCell(Reader& r, const Json& j, MacroTabData& tab) {
    if (!r.object(j, {"name", "kind", "controlId", "label", "value", "list", "readOnly"}))
        return;
    MacroCell c;
    r.text(j, "name", c.name, true);
    r.choice(j, "kind", kCellKinds, c.kind);
    r.integer(j, "controlId", c.controlId, -1000000, 1000000);
    r.text(j, "label", c.label);
    r.textOrNumber(j, "value", c.value);
    r.text(j, "list", c.listText);
    r.boolean(j, "readOnly", c.readOnly);
    if (!r.failed())
        added(r, tab.addCell(c), c.name);
}

void readFlexFix(Reader& r, const Json& j, MacroTabData& tab) {
    if (!r.object(j, {"group", "variable", "fixed", "linked"}))
        return;
    MacroFlexFixButton b;
    r.text(j, "group", b.group);
    r.text(j, "variable", b.variable, true);
    r.boolean(j, "fixed", b.fixed);
    r.boolean(j, "linked", b.linked);
    if (!r.failed())
        added(r, tab.addFlexFixButton(b), b.variable);
}

void readProfGroup(Reader& r, const Json& j, MacroTabData& tab) {
    if (!r.object(j, {"group", "section", "material", "ownedMemberName", "offset", "rotation", "basePlane"}))
        return;
    MacroProfData p;
    r.text(j, "group", p.group, true);
    r.text(j, "section", p.section);
    r.text(j, "material", p.material);
    r.text(j, "ownedMemberName", p.ownedMemberName);
    r.text(j, "offset", p.offset);
    if (j.contains("rotation")) {
        Mx_String rotation;
        r.text(j, "rotation", rotation);
        p.setRotationText(rotation);
    }
    r.text(j, "basePlane", p.basePlane);
    if (!r.failed())
        added(r, tab.addProfGroup(p), p.group);
}

// --- the bolt settings of a bolt tab (what the bolt-advanced dialog edits)

constexpr Named kSwitchStates[] = {{"off", static_cast<int>(Switch::Off)},
                                   {"on", static_cast<int>(Switch::On)},
                                   {"varies", static_cast<int>(Switch::Varies)}};

struct SwitchMember {
    const char* name;
    Switch MacroBoltData::*member;
};
constexpr SwitchMember kBoltSwitches[] = {
    {"workshop", &MacroBoltData::workshop}, {"countersunk", &MacroBoltData::countersunk},
    {"flipped", &MacroBoltData::flipped},   {"tapped", &MacroBoltData::tapped},
    {"nut1", &MacroBoltData::nut1},         {"nut2", &MacroBoltData::nut2},
    {"washer1", &MacroBoltData::washer1},   {"washer2", &MacroBoltData::washer2},
    {"washers", &MacroBoltData::washers}};

void readBoltSettings(Reader& r, const Json& j, MacroBoltData& bolts) {
    r.textOrNumber(j, "holeTolerance", bolts.holeTolerance);
    r.textOrNumber(j, "penetrationLength", bolts.penetrationLength);
    r.textOrNumber(j, "addedLength", bolts.addedLength);
    for (const SwitchMember& s : kBoltSwitches) {
        int state = static_cast<int>(bolts.*s.member);
        r.choice(j, s.name, kSwitchStates, state);
        bolts.*s.member = static_cast<Switch>(state);
    }
    r.integer(j, "boltCount", bolts.boltCount, 0, 1000000);
    r.boolean(j, "separateHoles", bolts.separateHoles);
    readList(r, j, "holes", [&](const Json& item) {
        if (!r.object(item, {"part", "tolerance"}))
            return;
        Mx_String part, tolerance;
        r.text(item, "part", part, true);
        r.textOrNumber(item, "tolerance", tolerance);
        bolts.holeParts.append(part);
        bolts.holeTolerances.append(tolerance);
    });
    readList(r, j, "slottedHoles", [&](const Json& item) {
        if (!r.object(item, {"active", "type", "length", "radius", "angle", "offset"}))
            return;
        MacroSlottedHole hole;
        r.boolean(item, "active", hole.active);
        r.integer(item, "type", hole.type, MacroSlottedHole::kLastType, 2);
        r.textOrNumber(item, "length", hole.length);
        r.textOrNumber(item, "radius", hole.radius);
        r.textOrNumber(item, "angle", hole.angle);
        r.textOrNumber(item, "offset", hole.offset);
        bolts.slottedHoles.append(hole);
    });
}

void readArray(Reader& r, const Json& j, MacroTabData& tab) {
    if (!r.object(j, {"name", "arrayType"}))
        return;
    DynArrayData array;
    r.text(j, "name", array.name, true);
    r.integer(j, "arrayType", array.arrayType, 0, 1000);
    if (r.failed())
        return;
    if (tab.findArray(array.name) != nullptr) {
        r.fail("duplicate name " + quoted(array.name));
        return;
    }
    tab.arraysWrite().append(array);
}

void readTab(Reader& r, const Json& j, MacroData& data) {
    if (!r.object(j, {"name", "kind", "title", "module", "template", "cells", "flexFixButtons", "boltData",
                      "profileGroups", "arrays"})) {
        return;
    }
    MacroTabData tab;
    r.text(j, "name", tab.name, true);
    r.choice(j, "kind", kTabKinds, tab.kind);
    r.text(j, "title", tab.title);
    r.text(j, "module", tab.moduleName);
    r.text(j, "template", tab.templateFile);
    readList(r, j, "cells", [&](const Json& item) { readCell(r, item, tab); });
    readList(r, j, "flexFixButtons", [&](const Json& item) { readFlexFix(r, item, tab); });
    if (r.failed())
        return;
    if (auto it = j.find("boltData"); it != j.end()) {
        if (!tab.isBoltTab()) {
            r.failAt("boltData", "only bolt tabs have bolt data");
            return;
        }
        Reader::Scope scope(r, "boltData");
        if (!r.object(*it, {"composition", "diameter", "holeOffset", "holeTolerance", "penetrationLength",
                            "addedLength", "workshop", "countersunk", "flipped", "tapped", "nut1", "nut2",
                            "washer1", "washer2", "washers", "boltCount", "separateHoles", "holes",
                            "slottedHoles"})) {
            return;
        }
        MacroBoltData bolts;
        r.text(*it, "composition", bolts.composition);
        r.textOrNumber(*it, "diameter", bolts.diameter);
        r.textOrNumber(*it, "holeOffset", bolts.holeOffset);
        readBoltSettings(r, *it, bolts);
        if (r.failed())
            return;
        tab.setBoltData(bolts);
    }
    readList(r, j, "profileGroups", [&](const Json& item) { readProfGroup(r, item, tab); });
    readList(r, j, "arrays", [&](const Json& item) { readArray(r, item, tab); });
    if (!r.failed())
        added(r, data.addTab(tab), tab.name);
}

// --- writing

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

}  // namespace

bool read(std::string_view json, Mx_Macro& macro, MacroData* tabs, Mx_String& error) {
    Json document;
    std::string problem;
    if (!parseJsonWithin(json, kMaxDepth, document, problem)) {
        error = Mx_String(problem);
        return false;
    }

    Reader r;
    Mx_Macro result;
    MacroData resultTabs;
    if (r.object(document, {"format", "version", "name", "description", "modules", "generalVariables",
                            "baseProfiles", "filters", "standards", "tabs"})) {
        Mx_String format;
        if (r.text(document, "format", format) && document.contains("format") &&
            format.toUtf8() != kFormatName) {
            r.failAt("format", std::string("expected \"") + kFormatName + "\"");
        }
        int version = 0;
        if (!r.failed() && !document.contains("version"))
            r.failAt("version", "missing");
        if (r.integer(document, "version", version, 0, 1000000) && version != kFormatVersion) {
            r.failAt("version", "unsupported version " + std::to_string(version) +
                                    " (this program reads version " + std::to_string(kFormatVersion) + ")");
        }
        Mx_String name, description;
        r.text(document, "name", name);
        r.text(document, "description", description);
        result.setName(name);
        result.setDescription(description);
        readList(r, document, "modules", [&](const Json& item) { readModule(r, item, result); });
        readList(r, document, "generalVariables", [&](const Json& item) { readGenVar(r, item, result); });
        readList(r, document, "baseProfiles", [&](const Json& item) { readBaseProfile(r, item, result); });
        readFilters(r, document, result);
        MacroStandards standards;
        readList(r, document, "standards", [&](const Json& item) { readStandardsSheet(r, item, standards); });
        result.setStandards(standards);
        readList(r, document, "tabs", [&](const Json& item) { readTab(r, item, resultTabs); });
    }
    if (r.failed()) {
        error = Mx_String(r.message());
        return false;
    }
    macro = std::move(result);
    if (tabs != nullptr)
        tabs->setTabsFrom(resultTabs);
    return true;
}

std::string write(const Mx_Macro& macro, const MacroData* tabs, Layout layout) {
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
    if (layout == Layout::oneLine)
        return j.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
    return j.dump(2, ' ', false, nlohmann::detail::error_handler_t::replace) + "\n";
}

bool writeFile(const Mx_String& path, const Mx_Macro& macro, const MacroData* tabs, Mx_String& error) {
    std::string json = write(macro, tabs);
    // A file this program could not read back (a value that is not a finite number, a text with a
    // control character) is never written: refusing here keeps the old file intact.
    Mx_Macro check;
    MacroData checkTabs;
    Mx_String problem;
    if (!read(json, check, tabs != nullptr ? &checkTabs : nullptr, problem)) {
        error = path + L": the macro cannot be stored: " + problem;
        return false;
    }
    std::string failure;
    if (!fsys::writeAtomic(fsys::resolve(path.view()), json, &failure)) {
        error = Mx_String(failure);
        return false;
    }
    return true;
}

}  // namespace macrojson
