#include "platform/mxbase/MacroJson.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/JsonTextWriter.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJsonNames.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/NumberFunctions.h"

namespace macrojson {
namespace {

using namespace names;

using Json = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
constexpr const char* kFormatName = "connsheet-macro";
// The format nests five levels deep; anything much deeper is not a macro file and is refused before
// it can cost stack or memory.
constexpr int kMaxDepth = 32;

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
//
// The document is written as it goes, member after member in the order readers of the files know;
// every member keeps the JSON type of its field (a double stays a double even when whole: "25.0").

void texts(JsonTextWriter& w, const Mx_StringArray& list) {
    w.beginArray();
    for (const Mx_String& s : list)
        w.string(s.view());
    w.endArray();
}

// Only what differs from a new pattern is written, so files without a layout stay as they are.
void writePatternLayout(JsonTextWriter& w, const MacroBoltPattern& p) {
    const MacroBoltPattern defaults;
    if (p.useDirection1 != defaults.useDirection1)
        w.key("useDirection1").boolean(p.useDirection1);
    if (p.alignment1 != defaults.alignment1)
        w.key("alignment1").string(nameOf(kAlignments, static_cast<int>(p.alignment1)));
    if (p.alignment2 != defaults.alignment2)
        w.key("alignment2").string(nameOf(kAlignments, static_cast<int>(p.alignment2)));
    if (p.fixedSpacing1 != defaults.fixedSpacing1)
        w.key("fixedSpacing1").boolean(p.fixedSpacing1);
    if (p.fixedSpacing2 != defaults.fixedSpacing2)
        w.key("fixedSpacing2").boolean(p.fixedSpacing2);
    if (!p.distances1.isEmpty())
        texts(w.key("distances1"), p.distances1);
    if (!p.distances2.isEmpty())
        texts(w.key("distances2"), p.distances2);
    if (p.alternation != defaults.alternation)
        w.key("alternation").integer(p.alternation);
    if (p.alternateRows)
        w.key("alternateRows").boolean(true);
}

// Only what differs from a new bolt tab is written, so files without bolt settings stay as they are.
void writeBoltSettings(JsonTextWriter& w, const MacroBoltData& bolts) {
    const MacroBoltData defaults;
    const std::pair<const char*, Mx_String MacroBoltData::*> textMembers[] = {
        {"holeTolerance", &MacroBoltData::holeTolerance},
        {"penetrationLength", &MacroBoltData::penetrationLength},
        {"addedLength", &MacroBoltData::addedLength}};
    for (const auto& [name, member] : textMembers) {
        if (!(bolts.*member == defaults.*member))
            w.key(name).string((bolts.*member).view());
    }
    for (const SwitchMember& s : kBoltSwitches) {
        if (bolts.*s.member != defaults.*s.member)
            w.key(s.name).string(nameOf(kSwitchStates, static_cast<int>(bolts.*s.member)));
    }
    if (bolts.boltCount != defaults.boltCount)
        w.key("boltCount").integer(bolts.boltCount);
    if (bolts.separateHoles)
        w.key("separateHoles").boolean(true);
    if (!bolts.holeParts.isEmpty()) {
        w.key("holes").beginArray();
        for (int i = 0; i < bolts.holeParts.length(); ++i) {
            w.beginObject();
            w.key("part").string(bolts.holeParts[i].view());
            w.key("tolerance")
                .string(i < bolts.holeTolerances.length() ? bolts.holeTolerances[i].view()
                                                          : std::wstring_view());
            w.endObject();
        }
        w.endArray();
    }
    if (!bolts.slottedHoles.isEmpty()) {
        w.key("slottedHoles").beginArray();
        for (const MacroSlottedHole& hole : bolts.slottedHoles) {
            w.beginObject();
            w.key("active").boolean(hole.active);
            w.key("type").integer(hole.type);
            w.key("length").string(hole.length.view());
            w.key("radius").string(hole.radius.view());
            w.key("angle").string(hole.angle.view());
            w.key("offset").string(hole.offset.view());
            w.endObject();
        }
        w.endArray();
    }
}

void writeModule(JsonTextWriter& w, const Mx_Module& module) {
    w.beginObject();
    w.key("name").string(module.name().view());
    if (!module.group().isEmpty())
        w.key("group").string(module.group().view());
    w.key("kind").string(nameOf(kModuleKinds, static_cast<int>(module.kind())));
    if (!module.variables().isEmpty()) {
        w.key("variables").beginArray();
        for (const MacroVariable& v : module.variables()) {
            w.beginObject();
            w.key("name").string(v.name.view());
            w.key("value").number(v.value);
            w.key("visible").boolean(v.visible);
            w.key("editable").boolean(v.editable);
            w.endObject();
        }
        w.endArray();
    }
    if (!module.cuts().isEmpty()) {
        w.key("cuts").beginArray();
        for (const MacroCut& cut : module.cuts()) {
            w.beginObject();
            w.key("name").string(cut.name.view());
            if (!cut.type.isEmpty())
                w.key("type").string(cut.type.view());
            w.key("number").integer(cut.number);
            w.key("values").beginObject();
            for (int i = 0; i < kCutValueCount; ++i) {
                if (cut.offers(i))
                    w.key(kCutValueKeys[i]).number(cut.value(i));
            }
            w.endObject();
            w.endObject();
        }
        w.endArray();
    }
    if (!module.patterns().isEmpty()) {
        w.key("patterns").beginArray();
        for (const MacroBoltPattern& p : module.patterns()) {
            w.beginObject();
            w.key("id").integer(p.id);
            w.key("name").string(p.name.view());
            w.key("nrBolts1").string(p.nrBolts1.view());
            w.key("nrBolts2").string(p.nrBolts2.view());
            w.key("spacing1").number(p.spacing1);
            w.key("spacing2").number(p.spacing2);
            w.key("twoDirections").boolean(p.twoDirections);
            w.key("reverseStart1").boolean(p.reverseStart1);
            w.key("reverseStart2").boolean(p.reverseStart2);
            writePatternLayout(w, p);
            w.endObject();
        }
        w.endArray();
    }
    if (!module.profiles().isEmpty()) {
        w.key("profiles").beginArray();
        for (const MacroNamedPrpl& p : module.profiles()) {
            w.beginObject();
            w.key("name").string(p.name.view());
            w.key("section").string(p.section.view());
            w.key("material").string(p.material.view());
            w.key("plate").boolean(p.isPlate);
            w.endObject();
        }
        w.endArray();
    }
    if (!module.geometries().isEmpty()) {
        w.key("geometry").beginArray();
        for (const MacroGeometry& g : module.geometries()) {
            w.beginObject();
            w.key("name").string(g.name.view());
            w.key("type").string(g.type.view());
            w.key("offset").number(g.offset);
            w.key("flexible").boolean(g.flexible);
            w.endObject();
        }
        w.endArray();
    }
    if (!module.constraints().isEmpty()) {
        w.key("constraints").beginArray();
        for (const MacroConstraint& c : module.constraints()) {
            w.beginObject();
            w.key("kind").string(MacroConstraint::nameOf(c.kind));
            texts(w.key("objects"), c.objects);
            w.key("value").number(c.value);
            w.key("state").integer(c.state);
            w.key("useVariable").boolean(c.useVariable);
            w.key("showValue").boolean(c.showValue);
            w.endObject();
        }
        w.endArray();
    }
    if (!module.equations().isEmpty())
        texts(w.key("equations"), module.equations());
    w.endObject();
}

void writeTab(JsonTextWriter& w, const MacroTabData& tab) {
    w.beginObject();
    w.key("name").string(tab.name.view());
    w.key("kind").string(nameOf(kTabKinds, tab.kind));
    w.key("title").string(tab.title.view());
    w.key("module").string(tab.moduleName.view());
    if (!tab.templateFile.isEmpty())
        w.key("template").string(tab.templateFile.view());
    if (!tab.cells().isEmpty()) {
        w.key("cells").beginArray();
        for (const MacroCell& c : tab.cells()) {
            w.beginObject();
            w.key("name").string(c.name.view());
            w.key("kind").string(nameOf(kCellKinds, c.kind));
            w.key("controlId").integer(c.controlId);
            w.key("label").string(c.label.view());
            w.key("value").string(c.value.view());
            w.key("list").string(c.listText.view());
            w.key("readOnly").boolean(c.readOnly);
            w.endObject();
        }
        w.endArray();
    }
    if (!tab.flexFixButtons().isEmpty()) {
        w.key("flexFixButtons").beginArray();
        for (const MacroFlexFixButton& b : tab.flexFixButtons()) {
            w.beginObject();
            w.key("group").string(b.group.view());
            w.key("variable").string(b.variable.view());
            w.key("fixed").boolean(b.fixed);
            w.key("linked").boolean(b.linked);
            w.endObject();
        }
        w.endArray();
    }
    const MacroBoltData* bolts = nullptr;
    if (tab.getBoltData(bolts) == Acad::eOk) {
        w.key("boltData").beginObject();
        w.key("composition").string(bolts->composition.view());
        w.key("diameter").string(bolts->diameter.view());
        w.key("holeOffset").string(bolts->holeOffset.view());
        writeBoltSettings(w, *bolts);
        w.endObject();
    }
    if (!tab.profGroups().isEmpty()) {
        w.key("profileGroups").beginArray();
        for (const MacroProfData& p : tab.profGroups()) {
            w.beginObject();
            w.key("group").string(p.group.view());
            w.key("section").string(p.section.view());
            w.key("material").string(p.material.view());
            w.key("ownedMemberName").string(p.ownedMemberName.view());
            // The placement of the group's profiles, written only when set.
            if (!p.offset.isEmpty())
                w.key("offset").string(p.offset.view());
            if (!p.basePlane.isEmpty())
                w.key("basePlane").string(p.basePlane.view());
            if (p.rotation != MacroProfData::Rot0)
                w.key("rotation").string(p.rotationText().view());
            w.endObject();
        }
        w.endArray();
    }
    if (!tab.arrays().isEmpty()) {
        w.key("arrays").beginArray();
        for (const DynArrayData& array : tab.arrays()) {
            w.beginObject();
            w.key("name").string(array.name.view());
            w.key("arrayType").integer(array.arrayType);
            w.endObject();
        }
        w.endArray();
    }
    w.endObject();
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
    std::string out;
    // Most macro files take a few kilobytes; one allocation covers them.
    out.reserve(8192);
    JsonTextWriter w(
        out, layout == Layout::oneLine ? JsonTextWriter::Layout::oneLine : JsonTextWriter::Layout::indented);
    w.beginObject();
    w.key("format").string(kFormatName);
    w.key("version").integer(kFormatVersion);
    w.key("name").string(macro.name().view());
    if (!macro.description().isEmpty())
        w.key("description").string(macro.description().view());
    w.key("modules").beginArray();
    for (const Mx_Module& module : macro.modules())
        writeModule(w, module);
    w.endArray();
    if (!macro.generalVariables().isEmpty()) {
        w.key("generalVariables").beginArray();
        for (const MacroGeneralVariable& v : macro.generalVariables()) {
            w.beginObject();
            w.key("name").string(v.name.view());
            w.key("value").number(v.value);
            w.endObject();
        }
        w.endArray();
    }
    if (!macro.baseProfiles().isEmpty()) {
        w.key("baseProfiles").beginArray();
        for (const MacroBaseProfile& p : macro.baseProfiles()) {
            w.beginObject();
            w.key("section").string(p.section.view());
            w.key("material").string(p.material.view());
            w.endObject();
        }
        w.endArray();
    }
    if (!(macro.filters() == MacroFilters())) {
        const MacroFilters& f = macro.filters();
        w.key("filters").beginObject();
        w.key("angle180").boolean(f.angle180);
        w.key("angle90").boolean(f.angle90);
        texts(w.key("sectionAngles"), f.sectionAngles);
        w.key("pathDistanceMin").number(f.pathDistanceMin);
        w.key("pathDistanceMax").number(f.pathDistanceMax);
        texts(w.key("sectionKinds"), f.sectionKinds);
        w.key("sectionSizeMin").number(f.sectionSizeMin);
        w.key("sectionSizeMax").number(f.sectionSizeMax);
        w.key("properties").beginArray();
        for (int i = 0; i < f.propertyNames.length(); ++i) {
            w.beginObject();
            w.key("name").string(f.propertyNames[i].view());
            w.key("value").string(f.propertyValues.at(i).view());
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }
    if (!macro.standards().sheets.isEmpty()) {
        const MacroStandards& standards = macro.standards();
        w.key("standards").beginArray();
        for (int i = 0; i < standards.sheets.length(); ++i) {
            w.beginObject();
            w.key("sheet").string(standards.sheets[i].view());
            w.key("mapsTo").string(standards.mapsTo.at(i).view());
            w.endObject();
        }
        w.endArray();
    }
    if (tabs != nullptr && tabs->numTabs() > 0) {
        w.key("tabs").beginArray();
        for (const MacroTabData& tab : tabs->tabs())
            writeTab(w, tab);
        w.endArray();
    }
    w.endObject();
    if (layout == Layout::indented)
        out += '\n';
    return out;
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
