#pragma once
// The links of one standards sheet to the variables of one macro target. Either the module group
// itself (type 1: the spreadsheet variable names say what they reach, see VlNameConvention) or the
// links read from the sheet's mapping file (type 2).
//
// Mapping file: the sheet's path with the extension "map". First line "Mapping version 1.0", then one
// line per target: key "=" links separated by "¿" (U+00BF); each link is the spreadsheet variable
// name, "ƒ" (U+0192) and the link's mapping string (VlObjectMap). See docs/standards.md.
#include <cstdint>
#include <memory>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "standards/VlObjectMap.h"
#include "standards/VlValueType.h"

class AcTransaction;
class Mx_DbMacro;
class Mx_Macro;
class Mx_Module;
class VlDlgStandardsData;

class VlSSMapping {
public:
    enum Type : std::int32_t { kNotSet = 0, kModuleGroup = 1, kMappingFile = 2 };

    static constexpr const wchar_t* kVersionLine = L"Mapping version 1.0";
    static constexpr wchar_t kLinkSeparator = L'\u00BF';  // "¿"
    static constexpr wchar_t kNameSeparator = L'\u0192';  // "ƒ"

    VlSSMapping() = default;
    virtual ~VlSSMapping() = default;
    // A copy takes the links, never a NameIndex of the original.
    VlSSMapping(const VlSSMapping& other) : type(other.type), mappedObjects_(other.mappedObjects_) {}
    VlSSMapping& operator=(const VlSSMapping& other) {
        type = other.type;
        mappedObjects_ = other.mappedObjects_;
        return *this;
    }
    VlSSMapping(VlSSMapping&& other) noexcept : type(other.type), mappedObjects_(std::move(other.mappedObjects_)) {}
    VlSSMapping& operator=(VlSSMapping&& other) noexcept {
        type = other.type;
        mappedObjects_ = std::move(other.mappedObjects_);
        return *this;
    }

    // While one lives, findSSVar answers from an index of the links as they were when it was made:
    // for a pass over every variable of a sheet, during which the links stay as they are. Searching
    // the links for each variable instead grows with the square of a large sheet. A mapping of a
    // few links is searched all the same.
    class NameIndex {
    public:
        explicit NameIndex(VlSSMapping& mapping);
        ~NameIndex();
        NameIndex(const NameIndex&) = delete;
        NameIndex& operator=(const NameIndex&) = delete;

    private:
        friend class VlSSMapping;
        struct Entries;
        VlSSMapping& mapping_;
        const NameIndex* previous_;
        std::unique_ptr<Entries> entries_;
    };

    const Mx_Array<VlObjectMap>& mappedObjects() const { return mappedObjects_; }
    Mx_Array<VlObjectMap>& mappedObjectsWrite() { return mappedObjects_; }

    // The mapping file of a sheet: an existing sheet file as given, otherwise the library's
    // "Connection Standards\" + sheet + ".vls" (also for "Childs\MapChild"; a rooted path or a path
    // with an extension stays as given), with the extension changed to "map".
    static Mx_String mappingFileName(const Mx_String& sheet);

    Acad::ErrorStatus initFromMacro(VlDlgStandardsData& data);
    Acad::ErrorStatus initFromModuleGroup(Mx_String group);
    Acad::ErrorStatus getMappingFromFile(Mx_String sheet, const Mx_String& key);
    Acad::ErrorStatus setMappingToFile(Mx_String sheet, Mx_String& key);
    Acad::ErrorStatus initMappingFromLine(const Mx_String& line);
    bool hasSameMapping(const Mx_String& sheet, Mx_String& key);

    bool isEqual(const VlSSMapping& other) const;
    Acad::ErrorStatus findSSVar(const Mx_String& name, const VlValueType& type, int& index) const;
    Acad::ErrorStatus findCompatible(const VlObjectMap& map, int& index) const;
    Acad::ErrorStatus isCompatible(const VlSSMapping& other, int& count) const;
    Acad::ErrorStatus getValidVars(const bool& unused, const VlValueType& type, AcArray<int>& indices) const;
    Acad::ErrorStatus sortValidVars(AcArray<int>& indices, const AcArray<int>& order) const;

    // Value exchange for one spreadsheet variable with the macro of `data`.
    Acad::ErrorStatus getMacroVarValue(const Mx_String& name, const VlValueType& type, Mx_String& value,
                                       VlDlgStandardsData& data);
    Acad::ErrorStatus setMacroVarValue(const Mx_String& name, const VlValueType& type, Mx_String& value,
                                       VlDlgStandardsData& data);

    // Every linkable object of a macro, for the mapping page.
    Acad::ErrorStatus initAllVarsFromMacro(Mx_DbMacro* macro, AcTransaction* transaction);

    std::int32_t type = kNotSet;

private:
    void addLink(const Mx_String& group, const Mx_String& object, int kind, int varClass,
                 const Mx_String& extra = Mx_String());
    void addAllVariables(const Mx_Module& module, const Mx_String& group);
    void addAllCuts(const Mx_Module& module, const Mx_String& group);
    void addAllPatterns(const Mx_Module& module, const Mx_String& group);
    void addAllProfPlacements(const Mx_Module& module, const Mx_String& group);
    void addAllBaseProfs(const Mx_Macro& macro);
    void addAllGenVars(const Mx_Macro& macro);
    Acad::ErrorStatus exchange(const Mx_String& name, const VlValueType& valueType, Mx_String& value,
                               VlDlgStandardsData& data, bool set);

    Mx_Array<VlObjectMap> mappedObjects_;
    const NameIndex* nameIndex_ = nullptr;  // the live index, if any
};
