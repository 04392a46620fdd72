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

// Display-name ties go to the table that comes first: the library folder's files in name order, then
// the tables the program adds, in the order it adds them.
constexpr int kProgramOrder = 1 << 24;

struct Table {
    Mx_String name;
    int order = kProgramOrder;
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

// A "*.pr" file of the library folder, listed but read only when a lookup needs its table.
struct LibraryFile {
    Mx_String path;
    bool read = false;
};

// A table made from what a file or the program gives; null when it has no name or no headers.
std::unique_ptr<Table> makeTable(const Mx_String& key, Mx_String picture, Mx_StringArray headers,
                                 std::vector<Mx_StringArray> rows) {
    Mx_String name = tableNameOf(key);
    if (keyOf(name.view()).empty() || headers.isEmpty())
        return nullptr;

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
    return table;
}

}  // namespace

struct Mx_SectionTableManager::Impl {
    LibraryLoad load;
    bool listed = false;                         // the library folder's files are known
    std::vector<std::unique_ptr<Table>> tables;  // in registration order
    std::unordered_map<std::wstring, Location> bySystemName;
    std::unordered_map<std::wstring, Location> byDisplayName;
    std::vector<LibraryFile> files;                            // folder order
    std::unordered_map<std::wstring, std::size_t> fileByName;  // table key -> index in files
    int nextOrder = kProgramOrder;

    void listLibrary() {
        if (listed || load != LibraryLoad::OnFirstUse)
            return;
        listed = true;
        // Only the names are read here: a run that looks up "IPE-200" reads "IPE.pr" alone. A library
        // without a "prof\" folder simply has no section tables.
        Mx_StringArray paths;
        if (!ObjectExportFindFiles(gSettings.libDir() + L"prof\\", Mx_String(L"*.pr"), paths))
            return;
        for (Mx_String& path : paths) {
            std::wstring key = keyOf(tableNameOf(getFileName(path, false)).view());
            if (fileByName.try_emplace(key, files.size()).second)
                files.push_back(LibraryFile{std::move(path)});
        }
    }

    Table* findLoaded(std::wstring_view key) const {
        for (const auto& table : tables) {
            if (keyOf(table->name.view()) == key)
                return table.get();
        }
        return nullptr;
    }

    void add(std::unique_ptr<Table> table) {
        // A library file not read yet is superseded by a table of its name.
        if (LibraryFile* file = unreadFile(keyOf(table->name.view())))
            file->read = true;
        if (Table* existing = findLoaded(keyOf(table->name.view()))) {
            for (auto& slot : tables) {
                if (slot.get() == existing)
                    slot = std::move(table);
            }
            reindex();
        } else {
            tables.push_back(std::move(table));
            index(*tables.back());
        }
    }

    // Reads a table file; a table of the same name already present wins. False when nothing was
    // added (then `problems`, when given, says why for a file that is not a table).
    bool readTableFile(const Mx_String& path, int order, Mx_String* problems) {
        Mx_String name;
        Mx_Array<Mx_StringArray> rows;
        if (!readFile(path, name, rows)) {
            if (problems != nullptr)
                problems->append(path + L": cannot be read\n");
            return false;
        }
        if (findLoaded(keyOf(tableNameOf(name).view())) != nullptr)
            return false;
        // Line 1 is the picture, line 2 the headers, then one line per size.
        Mx_String picture = rows.length() > 0 ? rows[0].at(0) : Mx_String();
        Mx_StringArray headers = rows.length() > 1 ? std::move(rows[1]) : Mx_StringArray();
        // The rows are moved, not copied: a library's tables are most of what a short run reads.
        std::vector<Mx_StringArray> sizes;
        sizes.reserve(static_cast<std::size_t>(std::max(rows.length() - 2, 0)));
        for (int i = 2; i < rows.length(); ++i)
            sizes.push_back(std::move(rows[i]));
        std::unique_ptr<Table> table;
        if (rows.length() >= 2)
            table = makeTable(name, std::move(picture), std::move(headers), std::move(sizes));
        if (table == nullptr) {
            if (problems != nullptr)
                problems->append(path + L": not a section table (no header line)\n");
            return false;
        }
        table->order = order;
        add(std::move(table));
        return true;
    }

    LibraryFile* unreadFile(const std::wstring& key) {
        auto it = fileByName.find(key);
        if (it == fileByName.end() || files[it->second].read)
            return nullptr;
        return &files[it->second];
    }

    // Reads the library file of the table `key` when it has not been read. True when a table came of it.
    bool readLibraryTable(const std::wstring& key) {
        LibraryFile* file = unreadFile(key);
        if (file == nullptr)
            return false;
        file->read = true;
        return readTableFile(file->path, static_cast<int>(file - files.data()), nullptr);
    }

    void readLibrary() {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i].read)
                continue;
            files[i].read = true;
            readTableFile(files[i].path, static_cast<int>(i), nullptr);
        }
    }

    Table* findTable(const Mx_String& name) {
        listLibrary();
        std::wstring key = keyOf(tableNameOf(name).view());
        readLibraryTable(key);
        return findLoaded(key);
    }

    const Location* findSection(const Mx_String& name) {
        listLibrary();
        std::wstring key = keyOf(name.view());
        if (key.empty())
            return nullptr;
        if (auto it = bySystemName.find(key); it != bySystemName.end())
            return &it->second;
        // A system name is the table's name, "-" and the size: read the table it names; when that does
        // not find it, read every table (it may be a display name).
        for (std::size_t dash = key.rfind(L'-'); dash != std::wstring::npos && dash > 0;
             dash = key.rfind(L'-', dash - 1)) {
            if (readLibraryTable(key.substr(0, dash))) {
                if (auto it = bySystemName.find(key); it != bySystemName.end())
                    return &it->second;
            }
        }
        readLibrary();
        if (auto it = bySystemName.find(key); it != bySystemName.end())
            return &it->second;
        if (auto it = byDisplayName.find(key); it != byDisplayName.end())
            return &it->second;
        return nullptr;
    }

    static void place(std::unordered_map<std::wstring, Location>& names, std::wstring key, Location at) {
        auto [it, added] = names.try_emplace(std::move(key), at);
        if (!added && at.table->order < it->second.table->order)
            it->second = at;
    }

    void index(const Table& table) {
        for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
            const Mx_StringArray& row = table.rows[static_cast<std::size_t>(r)];
            if (Table::keyTrim(row.at(0).view()).empty())
                continue;
            place(bySystemName, keyOf(table.systemName(row).view()), Location{&table, r});
            for (int language = 1; language <= table.languages && language < row.length(); ++language) {
                std::wstring key = keyOf(row[language].view());
                if (!key.empty())
                    place(byDisplayName, std::move(key), Location{&table, r});
            }
        }
    }

    void reindex() {
        bySystemName.clear();
        byDisplayName.clear();
        for (const auto& table : tables)
            index(*table);
    }
};

Mx_SectionTableManager gSectionTableManager;

Mx_SectionTableManager::Mx_SectionTableManager(LibraryLoad load) : impl_(std::make_unique<Impl>()) {
    impl_->load = load;
}

Mx_SectionTableManager::~Mx_SectionTableManager() = default;

void Mx_SectionTableManager::reset() {
    impl_->tables.clear();
    impl_->reindex();
    impl_->files.clear();
    impl_->fileByName.clear();
    impl_->listed = false;
}

Acad::ErrorStatus Mx_SectionTableManager::loadFolder(const Mx_String& folder, Mx_String* problems) {
    Mx_StringArray files;
    if (!ObjectExportFindFiles(folder, Mx_String(L"*.pr"), files))
        return Acad::eFileNotFound;
    for (const Mx_String& file : files)
        impl_->readTableFile(file, impl_->nextOrder++, problems);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::addSectionTable(const Mx_String& key, const Mx_String& picture,
                                                          const Mx_StringArray& headers,
                                                          const Mx_Array<Mx_StringArray>& rows) {
    std::vector<Mx_StringArray> copies;
    copies.reserve(static_cast<std::size_t>(rows.length()));
    for (const Mx_StringArray& row : rows)
        copies.push_back(row);
    std::unique_ptr<Table> table = makeTable(key, picture, headers, std::move(copies));
    if (table == nullptr)
        return Acad::eInvalidInput;
    table->order = impl_->nextOrder++;
    impl_->add(std::move(table));
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
    impl_->listLibrary();
    impl_->readLibrary();
    names.removeAll();
    for (const auto& table : impl_->tables)
        names.append(table->name);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getTablePicture(const Mx_String& name, Mx_String& picture) const {
    const Table* table = impl_->findTable(name);
    if (table == nullptr)
        return Acad::eKeyNotFound;
    picture = table->picture;
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionNames(const Mx_String& name,
                                                          Mx_StringArray& names) const {
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
    const Location* at = impl_->findSection(name);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    systemName = at->table->systemName(at->table->rows[static_cast<std::size_t>(at->row)]);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getDisplayName(const Mx_String& section, int language,
                                                         Mx_String& name) const {
    const Location* at = impl_->findSection(section);
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
    const Location* at = impl_->findSection(section);
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
    const Location* at = impl_->findSection(section);
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
