#include "platform/mxbase/Mx_DbMacro.h"

#include <optional>
#include <string>

#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"

const Mx_Macro* Mx_DbMacro::macroRead(AcTransaction* transaction) const {
    if (erased_)
        return nullptr;
    if (transaction != nullptr && !transaction->isOpen())
        return nullptr;
    return &macro_;
}

Mx_Macro* Mx_DbMacro::macroWrite(AcTransaction* transaction) {
    if (erased_)
        return nullptr;
    if (transaction != nullptr) {
        if (!transaction->isOpen())
            return nullptr;
        transaction->noteOpened();
    }
    modified_ = true;
    return &macro_;
}

Acad::ErrorStatus Mx_DbMacro::readFromFile(const Mx_String& path, MacroData* data, Mx_String* error) {
    if (erased_)
        return Acad::eWasErased;
    std::string problem;
    const std::optional<std::string> bytes = fsys::readBytes(fsys::resolve(path.view()), &problem);
    if (!bytes) {
        if (error != nullptr)
            *error = Mx_String(problem);
        return Acad::eInvalidInput;
    }
    const Acad::ErrorStatus status = readFromText(*bytes, data, error);
    if (status != Acad::eOk && error != nullptr)
        *error = Mx_String(withFileName(path.toUtf8(), error->toUtf8()));
    return status;
}

Acad::ErrorStatus Mx_DbMacro::readFromText(std::string_view json, MacroData* data, Mx_String* error) {
    if (erased_)
        return Acad::eWasErased;
    Mx_Macro macro;
    MacroData tabs;
    Mx_String problem;
    if (!macrojson::read(json, macro, data != nullptr ? &tabs : nullptr, problem)) {
        if (error != nullptr)
            *error = problem;
        return Acad::eInvalidInput;
    }
    macro_ = std::move(macro);
    if (data != nullptr)
        data->setTabsFrom(tabs);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_DbMacro::writeToFile(const Mx_String& path, const MacroData* data, Mx_String* error) {
    if (erased_)
        return Acad::eWasErased;
    Mx_String problem;
    if (!macrojson::writeFile(path, macro_, data, problem)) {
        if (error != nullptr)
            *error = problem;
        return Acad::eFileAccessErr;
    }
    modified_ = false;
    return Acad::eOk;
}
