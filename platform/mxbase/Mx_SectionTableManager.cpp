#include "platform/mxbase/Mx_SectionTableManager.h"

#include <algorithm>  // max
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/SectionTableFile.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

constexpr int kDefaultLanguages = 4;

// The lookup form of a name: blanks around it removed, letters folded.
std::wstring keyOf(std::wstring_view name) {
    std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos)
        return {};
    std::size_t last = name.find_last_not_of(L" \t");
    std::wstring key(name.substr(first, last - first + 1));
    for (wchar_t& c : key)
        c = Mx_String::foldCase(c);
    return key;
}

// A table name as given by a caller or a file name: ".pr" dropped.
Mx_String tableNameOf(const Mx_String& key) {
    if (key.endsWith(Mx_String(L".pr"), false))
        return key.getSubStringAt(0, key.length() - 3);
    return key;
}

struct Table {
    Mx_String name;
    Mx_String picture;
    Mx_StringArray headers;  // "SysName", languages, value names
    int languages = kDefaultLanguages;
    std::vector<Mx_StringArray> rows;

    int firstValueColumn() const { return 1 + languages; }
    Mx_String systemName(const Mx_StringArray& row) const {
        return name + L"-" + Mx_String(keyTrim(row.at(0).view()));
    }

    static std::wstring keyTrim(std::wstring_view text) {
        std::size_t first = text.find_first_not_of(L" \t");
        if (first == std::wstring_view::npos)
            return {};
        return std::wstring(text.substr(first, text.find_last_not_of(L" \t") - first + 1));
    }
};

struct Location {
    const Table* table;
    int row;
};

}  // namespace

struct Mx_SectionTableManager::Impl {
    LibraryLoad load;
    bool loaded = false;
    std::vector<std::unique_ptr<Table>> tables;  // in registration order
    std::unordered_map<std::wstring, Location> bySystemName;
    std::unordered_map<std::wstring, Location> byDisplayName;

    Table* findTable(const Mx_String& name) const {
        std::wstring key = keyOf(tableNameOf(name).view());
        for (const auto& table : tables) {
            if (keyOf(table->name.view()) == key)
                return table.get();
        }
        return nullptr;
    }

    void index(const Table& table) {
        for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
            const Mx_StringArray& row = table.rows[static_cast<std::size_t>(r)];
            if (Table::keyTrim(row.at(0).view()).empty())
                continue;
            bySystemName.try_emplace(keyOf(table.systemName(row).view()), Location{&table, r});
            for (int language = 1; language <= table.languages && language < row.length(); ++language) {
                std::wstring key = keyOf(row[language].view());
                if (!key.empty())
                    byDisplayName.try_emplace(std::move(key), Location{&table, r});
            }
        }
    }

    void reindex() {
        bySystemName.clear();
        byDisplayName.clear();
        for (const auto& table : tables)
            index(*table);
    }

    const Location* find(const Mx_String& name) const {
        std::wstring key = keyOf(name.view());
        if (key.empty())
            return nullptr;
        if (auto it = bySystemName.find(key); it != bySystemName.end())
            return &it->second;
        if (auto it = byDisplayName.find(key); it != byDisplayName.end())
            return &it->second;
        return nullptr;
    }
};

Mx_SectionTableManager gSectionTableManager;

Mx_SectionTableManager::Mx_SectionTableManager(LibraryLoad load) : impl_(std::make_unique<Impl>()) {
    impl_->load = load;
}

Mx_SectionTableManager::~Mx_SectionTableManager() = default;

void Mx_SectionTableManager::ensureLoaded() const {
    if (impl_->loaded || impl_->load != LibraryLoad::OnFirstUse)
        return;
    impl_->loaded = true;
    // A library without a "prof\" folder simply has no section tables.
    const_cast<Mx_SectionTableManager*>(this)->loadFolder(gSettings.libDir() + L"prof\\");
}

void Mx_SectionTableManager::reset() {
    impl_->tables.clear();
    impl_->reindex();
    impl_->loaded = false;
}

Acad::ErrorStatus Mx_SectionTableManager::loadFolder(const Mx_String& folder, Mx_String* problems) {
    Mx_StringArray files;
    if (!ObjectExportFindFiles(folder, Mx_String(L"*.pr"), files))
        return Acad::eFileNotFound;
    for (const Mx_String& file : files) {
        Mx_String name;
        Mx_Array<Mx_StringArray> rows;
        if (!readFile(file, name, rows)) {
            if (problems != nullptr)
                problems->append(file + L": cannot be read\n");
            continue;
        }
        if (hasTable(name))
            continue;
        // Line 1 is the picture, line 2 the headers, then one line per size.
        Mx_String picture = rows.length() > 0 ? rows[0].at(0) : Mx_String();
        Mx_StringArray headers = rows.length() > 1 ? std::move(rows[1]) : Mx_StringArray();
        // The rows are moved, not copied: a library's tables are most of what a short run reads.
        std::vector<Mx_StringArray> sizes;
        sizes.reserve(static_cast<std::size_t>(std::max(rows.length() - 2, 0)));
        for (int i = 2; i < rows.length(); ++i)
            sizes.push_back(std::move(rows[i]));
        if (rows.length() < 2 ||
            addTable(name, std::move(picture), std::move(headers), std::move(sizes)) != Acad::eOk) {
            if (problems != nullptr)
                problems->append(file + L": not a section table (no header line)\n");
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::addSectionTable(const Mx_String& key, const Mx_String& picture,
                                                          const Mx_StringArray& headers,
                                                          const Mx_Array<Mx_StringArray>& rows) {
    std::vector<Mx_StringArray> copies;
    copies.reserve(static_cast<std::size_t>(rows.length()));
    for (const Mx_StringArray& row : rows)
        copies.push_back(row);
    return addTable(key, picture, headers, std::move(copies));
}

Acad::ErrorStatus Mx_SectionTableManager::addTable(const Mx_String& key, Mx_String picture,
                                                   Mx_StringArray headers, std::vector<Mx_StringArray> rows) {
    Mx_String name = tableNameOf(key);
    if (keyOf(name.view()).empty() || headers.isEmpty())
        return Acad::eInvalidInput;

    auto table = std::make_unique<Table>();
    table->name = Mx_String(Table::keyTrim(name.view()));
    table->picture = std::move(picture);
    table->headers = std::move(headers);
    table->rows = std::move(rows);
    // The file layout carries the "I/O" active flag as column 1; the tables here do without it.
    if (table->headers.length() > 1 && table->headers[1].equal(Mx_String(L"I/O"), false)) {
        table->headers.removeAt(1);
        for (Mx_StringArray& row : table->rows) {
            if (row.length() > 1)
                row.removeAt(1);
        }
    }
    if (table->headers.length() > 5 && table->headers[5].equal(Mx_String(L"Korean")))
        table->languages = 5;

    if (Table* existing = impl_->findTable(name)) {
        for (auto& slot : impl_->tables) {
            if (slot.get() == existing)
                slot = std::move(table);
        }
        impl_->reindex();
    } else {
        impl_->tables.push_back(std::move(table));
        impl_->index(*impl_->tables.back());
    }
    return Acad::eOk;
}

bool Mx_SectionTableManager::hasTable(const Mx_String& name) const {
    return impl_->findTable(name) != nullptr;
}

Acad::ErrorStatus Mx_SectionTableManager::removeTable(const Mx_String& name) {
    Table* table = impl_->findTable(name);
    if (table == nullptr)
        return Acad::eKeyNotFound;
    std::erase_if(impl_->tables, [table](const std::unique_ptr<Table>& t) { return t.get() == table; });
    impl_->reindex();
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getTableNames(Mx_StringArray& names) const {
    ensureLoaded();
    names.removeAll();
    for (const auto& table : impl_->tables)
        names.append(table->name);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getTablePicture(const Mx_String& name, Mx_String& picture) const {
    ensureLoaded();
    const Table* table = impl_->findTable(name);
    if (table == nullptr)
        return Acad::eKeyNotFound;
    picture = table->picture;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionNames(const Mx_String& name,
                                                          Mx_StringArray& names) const {
    ensureLoaded();
    const Table* table = impl_->findTable(name);
    if (table == nullptr)
        return Acad::eKeyNotFound;
    names.removeAll();
    for (const Mx_StringArray& row : table->rows) {
        if (!Table::keyTrim(row.at(0).view()).empty())
            names.append(table->systemName(row));
    }
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSystemName(const Mx_String& name, Mx_String& systemName) const {
    ensureLoaded();
    const Location* at = impl_->find(name);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    systemName = at->table->systemName(at->table->rows[static_cast<std::size_t>(at->row)]);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getDisplayName(const Mx_String& section, int language,
                                                         Mx_String& name) const {
    ensureLoaded();
    const Location* at = impl_->find(section);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    const Mx_StringArray& row = at->table->rows[static_cast<std::size_t>(at->row)];
    if (language < 0 || language >= at->table->languages || 1 + language >= row.length())
        return Acad::eInvalidIndex;
    name = row[1 + language];
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionColumnNames(const Mx_String& section,
                                                                Mx_StringArray& names) const {
    ensureLoaded();
    const Location* at = impl_->find(section);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    names.removeAll();
    const Mx_StringArray& headers = at->table->headers;
    for (int i = at->table->firstValueColumn(); i < headers.length(); ++i)
        names.append(headers[i]);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionValue(const Mx_String& section, int field,
                                                          Mx_String& value) const {
    ensureLoaded();
    const Location* at = impl_->find(section);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    const Mx_StringArray& row = at->table->rows[static_cast<std::size_t>(at->row)];
    if (field < 0 || field >= row.length() - at->table->firstValueColumn())
        return Acad::eInvalidIndex;
    value = row[at->table->firstValueColumn() + field];
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionValue(const Mx_String& section, int field,
                                                          double& value) const {
    Mx_String text;
    Acad::ErrorStatus status = getSectionValue(section, field, text);
    if (status != Acad::eOk)
        return status;
    double number = 0.0;
    if (!parseNumber(text.view(), number))
        return Acad::eInvalidInput;
    value = number;
    return Acad::eOk;
}
