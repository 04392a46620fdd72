#pragma once
// One link of a standards mapping: which value of a parametric macro a spreadsheet variable stands
// for. Written as a mapping string: the group name, a double quote, a blank, the kind keyword, a
// blank and the object name (Plate1" Distance Width).
//
// Kinds (keyword, value type): 1 Distance, 2 GenVar, 3..11 the nine cut values CutOffset ..
// CutRadius (all double); 12 PrPlName, 13 PrPlMaterial, 14 OwnedMemberName (string); 15
// MemberSectionSize (double); 16/17 PatternNrBolts1/2 (string); 18/19 PatternReverseStart1/2
// (integer); 20 BoltsDiameter, 21 BoltsHoleOffset (double). 0 is no kind.
#include <cstdint>

#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "standards/VlValueType.h"

class AcTransaction;
class MacroData;
class Mx_DbMacro;
class VlVarCell;

class VlObjectMap {
public:
    enum Kind : std::int32_t {
        kNone = 0,
        kDistance = 1,
        kGenVar = 2,
        kCutOffset = 3,  // kinds 3..11 are cut values 0..8
        kCutRadius = 11,
        kPrPlName = 12,
        kPrPlMaterial = 13,
        kOwnedMemberName = 14,
        kMemberSectionSize = 15,
        kPatternNrBolts1 = 16,
        kPatternNrBolts2 = 17,
        kPatternReverseStart1 = 18,
        kPatternReverseStart2 = 19,
        kBoltsDiameter = 20,
        kBoltsHoleOffset = 21,
        kLastKind = 21,
    };

    VlObjectMap() = default;
    VlObjectMap(const Mx_String& groupName, const Mx_String& objectName, const Mx_String& ssVarName,
                std::int32_t kind, std::int32_t varClass = 3, const Mx_String& extra = Mx_String())
        : groupName(groupName), objectName(objectName), ssVarName(ssVarName), kind(kind), varClass(varClass),
          extra(extra) {}
    virtual ~VlObjectMap() = default;
    VlObjectMap(const VlObjectMap&) = default;
    VlObjectMap& operator=(const VlObjectMap&) = default;
    VlObjectMap(VlObjectMap&&) noexcept = default;
    VlObjectMap& operator=(VlObjectMap&&) noexcept = default;

    // The keyword of a kind; nullptr for a kind outside 1..21.
    static const wchar_t* kindKeyword(int kind);
    // The value type a kind carries; false for a kind outside 1..21.
    static bool kindValueType(int kind, VlValueType& type);
    // The value type of this link's kind (false without one).
    bool valueType(VlValueType& type) const { return kindValueType(kind, type); }

    Acad::ErrorStatus getMappingFromStrs(const Mx_String& ssVar, const Mx_String& mapStr);
    Acad::ErrorStatus setMappingToStrs(Mx_String& mapStr, Mx_String& ssVar);
    Acad::ErrorStatus mapFromArrays(const Mx_StringArray& ssVars, const Mx_StringArray& mapStrs,
                                    const VlVarCell& cell);
    Acad::ErrorStatus isCompatible(const VlObjectMap& other) const;

    // Reads / writes the linked macro value as text. The macro is borrowed, never owned.
    Acad::ErrorStatus getMacroVarValue(Mx_DbMacro* macro, MacroData* macroData, Mx_String& value,
                                       AcTransaction* transaction);
    Acad::ErrorStatus setMacroVarValue(Mx_DbMacro* macro, MacroData* macroData, Mx_String& value,
                                       AcTransaction* transaction);

    Mx_String groupName;
    Mx_String objectName;
    Mx_String ssVarName;
    std::int32_t kind = kNone;
    std::int32_t varClass = 3;
    Mx_String extra;

private:
    Acad::ErrorStatus exchange(Mx_DbMacro* macro, MacroData* macroData, Mx_String& value,
                               AcTransaction* transaction, bool set);
};
