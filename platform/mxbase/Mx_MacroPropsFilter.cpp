#include "platform/mxbase/Mx_MacroPropsFilter.h"

#include <algorithm>  // sort
#include <filesystem>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/GeneralVariableFilter.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

constexpr wchar_t kMacroExtension[] = L"json";

Mx_String macrosFolder() {
    return gSettings.libDir() + L"Macros\\";
}

bool isAbsolute(const Mx_String& name) {
    return !name.isEmpty() && (name[0] == L'/' || name[0] == L'\\' || (name.length() > 1 && name[1] == L':'));
}

// Appends the name unless it is there already (ignoring case).
void addOnce(Mx_StringArray& names, const Mx_String& name) {
    if (!name.isEmpty() && !names.contains(name, false))
        names.append(name);
}

Mx_StringArray propertiesOf(const Mx_Module& module) {
    Mx_StringArray properties;
    for (int i = 0; i < module.variables().length(); ++i)
        addOnce(properties, module.variables()[i].name);
    for (int i = 0; i < module.cuts().length(); ++i)
        addOnce(properties, module.cuts()[i].name);
    for (int i = 0; i < module.patterns().length(); ++i)
        addOnce(properties, module.patterns()[i].name);
    for (int i = 0; i < module.profiles().length(); ++i)
        addOnce(properties, module.profiles()[i].name);
    return properties;
}

std::wstring onOff(bool on) {
    return on ? L" 1" : L" 0";
}

}  // namespace

void Mx_MacroPropsFilter::initialize(const Mx_StringArray& names, const AcArray<bool>& visible, int a,
                                     int b) {
    m_names = names;
    m_visible = visible;
    m_a = a;
    m_b = b;
    m_loaded = false;
    m_macros.clear();
    m_ticks.clear();
}

void Mx_MacroPropsFilter::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    m_macros.clear();
    const Mx_String folder = macrosFolder();
    std::vector<Mx_String> files;
    if (m_names.isEmpty()) {
        std::error_code failure;
        const std::filesystem::path root = fsys::resolve(folder.view());
        for (std::filesystem::recursive_directory_iterator it(root, failure), end; !failure && it != end;
             it.increment(failure)) {
            if (it->is_regular_file(failure) && it->path().extension() == ".json")
                files.push_back(Mx_String(fsys::toWide(it->path())));
        }
        std::sort(files.begin(), files.end());
    } else {
        for (int i = 0; i < m_names.length(); ++i) {
            if (i < m_visible.length() && !m_visible[i])
                continue;
            const Mx_String& name = m_names[i];
            if (name.isEmpty())
                continue;
            const Mx_String path = changeExtension(isAbsolute(name) ? name : folder + name, kMacroExtension);
            std::error_code failure;
            const std::filesystem::path found = fsys::resolve(path.view());
            if (std::filesystem::is_regular_file(found, failure))
                files.push_back(Mx_String(fsys::toWide(found)));
        }
    }
    for (const Mx_String& file : files) {
        Macro macro;
        macro.file = file;
        const Mx_String relative = macroPathInLibrary(file, gSettings.libDir());
        macro.name = removeExtension(relative.isEmpty() ? getFileName(file) : relative);
        if (std::any_of(m_macros.begin(), m_macros.end(),
                        [&](const Macro& known) { return known.file == macro.file; }))
            continue;  // named twice
        std::string error;
        Mx_Macro read;
        Mx_String problem;
        if (const auto bytes = fsys::readBytes(fsys::fromWide(file.view()), &error);
            bytes && macrojson::read(*bytes, read, nullptr, problem)) {
            macro.readable = true;
            for (int m = 0; m < read.numModules(); ++m)
                macro.modules.push_back({read.modules()[m].name(), propertiesOf(read.modules()[m])});
        } else {
            log(L"unreadable " + macro.name.str() + L": " +
                (bytes ? problem.str() : Mx_String(error.c_str()).str()));
        }
        m_macros.push_back(std::move(macro));
    }
}

int Mx_MacroPropsFilter::getAllDwgFiles(Mx_StringArray& files) {
    load();
    files = Mx_StringArray();
    for (const Macro& macro : m_macros)
        files.append(macro.file);
    log(L"getAllDwgFiles " + std::to_wstring(files.length()));
    return files.length();
}

bool Mx_MacroPropsFilter::getMergedProperties(Mx_StringArray& modules, Mx_Array<Mx_StringArray>& properties) {
    load();
    modules = Mx_StringArray();
    properties = Mx_Array<Mx_StringArray>();
    bool anyRead = false;
    for (const Macro& macro : m_macros) {
        anyRead = anyRead || macro.readable;
        for (const Module& module : macro.modules) {
            int index = -1;
            if (!modules.find(module.name, index, false)) {
                index = modules.append(module.name);
                properties.append(Mx_StringArray());
            }
            for (const Mx_String& property : module.properties)
                addOnce(properties[index], property);
        }
    }
    log(L"getMergedProperties " + std::to_wstring(modules.length()));
    return anyRead;
}

bool Mx_MacroPropsFilter::isMerged(const Mx_String& module, const Mx_String& property) {
    load();
    for (const Macro& macro : m_macros)
        for (const Module& known : macro.modules)
            if (known.name.equal(module, false) &&
                (property.isEmpty() || known.properties.contains(property, false)))
                return true;
    return false;
}

void Mx_MacroPropsFilter::setTick(const Tick& tick, bool on) {
    const auto same = [&](const Tick& known) {
        return known.module.equal(tick.module, false) && known.property.equal(tick.property, false);
    };
    const auto found = std::find_if(m_ticks.begin(), m_ticks.end(), same);
    if (on && found == m_ticks.end())
        m_ticks.push_back(tick);
    else if (!on && found != m_ticks.end())
        m_ticks.erase(found);
}

Acad::ErrorStatus Mx_MacroPropsFilter::setModuleStatus(const Mx_String& module, bool on) {
    log(L"setModuleStatus " + module.str() + onOff(on));
    if (module.isEmpty() || !isMerged(module, Mx_String()))
        return Acad::eKeyNotFound;
    setTick({module, Mx_String()}, on);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_MacroPropsFilter::setModulePropStatus(const Mx_String& module, const Mx_String& property,
                                                           bool on) {
    log(L"setModulePropStatus " + module.str() + L" " + property.str() + onOff(on));
    if (module.isEmpty() || property.isEmpty() || !isMerged(module, property))
        return Acad::eKeyNotFound;
    setTick({module, property}, on);
    return Acad::eOk;
}

bool Mx_MacroPropsFilter::passes(const Macro& macro) const {
    for (const Tick& tick : m_ticks) {
        const auto has = [&](const Module& module) {
            return module.name.equal(tick.module, false) &&
                   (tick.property.isEmpty() || module.properties.contains(tick.property, false));
        };
        if (std::none_of(macro.modules.begin(), macro.modules.end(), has))
            return false;
    }
    return true;
}

int Mx_MacroPropsFilter::getFilteredMacros(Mx_StringArray& names) {
    load();
    names = Mx_StringArray();
    for (const Macro& macro : m_macros)
        if (passes(macro))
            names.append(macro.name);
    log(L"getFilteredMacros " + std::to_wstring(names.length()));
    return names.length();
}
