#pragma once
// A macro as an object of the drawing database. Its content, the Mx_Macro, is read through macroRead
// and changed through macroWrite, which marks the object modified. Both refuse (nullptr) once the object
// is erased or when the given transaction is no longer open, so a caller never writes into a macro
// that is not there any more.
#include <string_view>

#include "platform/arx/AcDbObjectId.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_String.h"

class AcTransaction;
class MacroData;

class Mx_DbMacro {
public:
    Mx_DbMacro() = default;
    explicit Mx_DbMacro(Mx_Macro macro) : macro_(std::move(macro)) {}

    AcDbObjectId objectId() const { return id_; }
    void setObjectId(AcDbObjectId id) { id_ = id; }

    const Mx_Macro* macroRead(AcTransaction* transaction = nullptr) const;
    Mx_Macro* macroWrite(AcTransaction* transaction = nullptr);

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool isErased() const { return erased_; }
    void erase() { erased_ = true; }

    // Replaces the content from a macro file (and, when given, the dialog data from its tabs). On
    // failure nothing changes and `error` (when given) names the JSON path and the problem.
    Acad::ErrorStatus readFromFile(const Mx_String& path, MacroData* data = nullptr,
                                   Mx_String* error = nullptr);
    // The same from the text of a macro file (a macro piped in).
    Acad::ErrorStatus readFromText(std::string_view json, MacroData* data = nullptr, Mx_String* error = nullptr);
    // Writes the content (and the dialog data's tabs when given) atomically; clears the modified flag.
    Acad::ErrorStatus writeToFile(const Mx_String& path, const MacroData* data = nullptr,
                                  Mx_String* error = nullptr);

private:
    Mx_Macro macro_;
    AcDbObjectId id_;
    bool modified_ = false;
    bool erased_ = false;
};
