#include "platform/mxbase/Mx_SectionTableManager.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/TextFile.h"

namespace {

constexpr int kDefaultLanguages = 4;

std::wstring_view trimmed(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// The lookup form of a name appended to `key`: blanks around it removed, letters folded.
void appendKey(std::wstring& key, std::wstring_view name) {
    const std::wstring_view text = trimmed(name);
    std::size_t at = key.size();
    key.resize(at + text.size());
    for (wchar_t c : text) {
        // Names are mostly ASCII: fold those here rather than call out for every letter.
        if (c < 0x80)
            key[at++] = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
        else
            key[at++] = Mx_String::foldCase(c);
    }
}

std::wstring keyOf(std::wstring_view name) {
    std::wstring key;
    appendKey(key, name);
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

// A piece of a table's text: a field, or a key of the index.
struct Span {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

// Walks the lines of a table file's text (LF or CRLF ends), giving the fields of each line as spans of
// the text: fields are TAB-separated, an empty line has none.
class LineReader {
public:
    explicit LineReader(std::wstring_view text) : text_(text) {}

    bool next(std::vector<Span>& fields) {
        if (at_ >= text_.size())
            return false;
        std::size_t end = text_.find(L'\n', at_);
        const std::size_t following = end == std::wstring_view::npos ? text_.size() : end + 1;
        if (end == std::wstring_view::npos)
            end = text_.size();
        if (end > at_ && text_[end - 1] == L'\r')
            --end;
        fields.clear();
        if (end > at_) {
            std::size_t start = at_;
            for (std::size_t i = at_; i < end; ++i) {
                if (text_[i] == L'\t') {
                    fields.push_back(span(start, i));
                    start = i + 1;
                }
            }
            fields.push_back(span(start, end));
        }
        at_ = following;
        return true;
    }

private:
    static Span span(std::size_t from, std::size_t to) {
        return Span{static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to - from)};
    }

    std::wstring_view text_;
    std::size_t at_ = 0;
};

// A table's sizes are kept as one text and the spans of their fields in it: a library's tables are most
// of what a short run reads, and a string per field would be most of the reading.
struct Table {
    Mx_String name;
    std::wstring key;  // the name's lookup form
    int order = kProgramOrder;
    Mx_String picture;
    Mx_StringArray headers;  // "SysName", languages, value names
    int languages = kDefaultLanguages;
    bool hasFlagColumn = false;  // the rows as given have the "I/O" flag as column 1, which is left out

    std::wstring text;
    std::vector<Span> fields;            // every row's fields, row after row
    std::vector<std::uint32_t> rowEnds;  // row r's fields end at fields[rowEnds[r]]

    // The lookup forms of the sizes' names, one after another in `keys`; the index refers to them.
    struct Name {
        Span key;
        int row;
        bool system;
    };
    std::wstring keys;
    std::vector<Name> names;

    int firstValueColumn() const { return 1 + languages; }
    int rowCount() const { return static_cast<int>(rowEnds.size()); }
    std::uint32_t rowBegin(int row) const {
        return row == 0 ? 0 : rowEnds[static_cast<std::size_t>(row - 1)];
    }
    int fieldCount(int row) const {
        return static_cast<int>(rowEnds[static_cast<std::size_t>(row)] - rowBegin(row));
    }
    // The field, or an empty text outside the row.
    std::wstring_view field(int row, int column) const {
        if (column < 0 || column >= fieldCount(row))
            return {};
        const Span& at = fields[rowBegin(row) + static_cast<std::uint32_t>(column)];
        return std::wstring_view(text).substr(at.start, at.length);
    }
    Mx_String systemName(int row) const {
        const std::wstring_view size = trimmed(field(row, 0));
        std::wstring result;
        result.reserve(name.str().size() + 1 + size.size());
        result.append(name.view()).append(1, L'-').append(size);
        return Mx_String(std::move(result));
    }
    std::wstring_view keyOfName(const Name& n) const {
        return std::wstring_view(keys).substr(n.key.start, n.key.length);
    }

    // Adds a row as given (with the flag column when the table has one); its fields are spans of `text`.
    void addRow(const std::vector<Span>& row) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (!(hasFlagColumn && i == 1))
                fields.push_back(row[i]);
        }
        rowEnds.push_back(static_cast<std::uint32_t>(fields.size()));
    }

    // A row without a system name has no names at all.
    void makeNames() {
        // No key is longer than the fields it comes from and the table's name: one allocation.
        keys.reserve(text.size() + static_cast<std::size_t>(rowCount()) * (key.size() + 1));
        names.reserve(static_cast<std::size_t>(rowCount() * (1 + languages)));
        for (int r = 0; r < rowCount(); ++r) {
            if (trimmed(field(r, 0)).empty())
                continue;
            auto start = static_cast<std::uint32_t>(keys.size());
            keys += key;
            keys += L'-';
            appendKey(keys, field(r, 0));
            names.push_back(Name{{start, static_cast<std::uint32_t>(keys.size()) - start}, r, true});
            for (int language = 1; language <= languages && language < fieldCount(r); ++language) {
                start = static_cast<std::uint32_t>(keys.size());
                appendKey(keys, field(r, language));
                if (keys.size() > start)
                    names.push_back(Name{{start, static_cast<std::uint32_t>(keys.size()) - start}, r, false});
            }
        }
    }
};

struct Location {
    const Table* table;
    int row;
};

// Lookup forms of names to where they stand, the table of the lowest order winning a name two
// tables hold. Open addressing over a power-of-two array, at most half full: a table adds a name
// per size and language, and a node allocated per name was most of what indexing a table cost.
// The keys are views of the tables' own `keys`.
class NameIndex {
public:
    const Location* find(std::wstring_view key) const {
        if (slots_.empty())
            return nullptr;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.at.table == nullptr)
                return nullptr;
            if (slot.key == key)
                return &slot.at;
        }
    }

    // Room for `more` names besides those held, without growing on the way.
    void reserve(std::size_t more) {
        std::size_t capacity = slots_.empty() ? 16 : slots_.size();
        while (capacity < 2 * (used_ + more))
            capacity *= 2;
        if (capacity != slots_.size())
            rehash(capacity);
    }

    void place(std::wstring_view key, Location at) {
        reserve(1);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.at.table == nullptr) {
                slot = Slot{key, at};
                ++used_;
                return;
            }
            if (slot.key == key) {
                if (at.table->order < slot.at.table->order)
                    slot.at = at;
                return;
            }
        }
    }

    void clear() {
        slots_.clear();
        used_ = 0;
    }

private:
    struct Slot {
        std::wstring_view key;
        Location at{nullptr, 0};  // no table: an empty slot
    };

    // FNV-1a over the characters.
    static std::size_t hashOf(std::wstring_view key) {
        std::uint64_t hash = 14695981039346656037ull;
        for (wchar_t c : key) {
            hash ^= static_cast<std::uint32_t>(c);
            hash *= 1099511628211ull;
        }
        return static_cast<std::size_t>(hash ^ (hash >> 32));
    }

    void rehash(std::size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        const std::size_t mask = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.at.table == nullptr)
                continue;
            std::size_t i = hashOf(slot.key) & mask;
            while (slots_[i].at.table != nullptr)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

// A "*.pr" file of the library folder, listed but read only when a lookup needs its table.
struct LibraryFile {
    Mx_String path;
    bool read = false;
};

// A table without rows, made from what a file or the program gives; null when it has no name or no
// headers.
std::unique_ptr<Table> makeTable(const Mx_String& key, Mx_String picture, Mx_StringArray headers) {
    Mx_String name = tableNameOf(key);
    if (trimmed(name.view()).empty() || headers.isEmpty())
        return nullptr;

    auto table = std::make_unique<Table>();
    table->name = Mx_String(trimmed(name.view()));
    table->key = keyOf(table->name.view());
    table->picture = std::move(picture);
    table->headers = std::move(headers);
    // The file layout carries the "I/O" active flag as column 1; the tables here do without it.
    if (table->headers.length() > 1 && table->headers[1].equal(Mx_String(L"I/O"), false)) {
        table->headers.removeAt(1);
        table->hasFlagColumn = true;
    }
    if (table->headers.length() > 5 && table->headers[5].equal(Mx_String(L"Korean")))
        table->languages = 5;
    return table;
}

// The table of a ".pr" file's text, read in one pass: line 1 is the picture, line 2 the headers, then
// one line per size.
std::unique_ptr<Table> parseTable(const Mx_String& name, std::wstring text) {
    LineReader lines(text);
    std::vector<Span> row;
    if (!lines.next(row))
        return nullptr;
    const std::wstring_view whole(text);
    Mx_String picture;
    if (!row.empty())
        picture = Mx_String(whole.substr(row[0].start, row[0].length));
    if (!lines.next(row))
        return nullptr;
    Mx_StringArray headers;
    headers.reserve(static_cast<int>(row.size()));
    for (const Span& header : row)
        headers.append(Mx_String(whole.substr(header.start, header.length)));
    std::unique_ptr<Table> table = makeTable(name, std::move(picture), std::move(headers));
    if (table == nullptr)
        return nullptr;
    while (lines.next(row))
        table->addRow(row);
    table->text = std::move(text);  // spans are offsets: they hold in the moved text
    table->makeNames();
    return table;
}

}  // namespace

struct Mx_SectionTableManager::Impl {
    LibraryLoad load;
    bool listed = false;                         // the library folder's files are known
    std::vector<std::unique_ptr<Table>> tables;  // in registration order
    // Keyed by the tables' own `keys`; every change of `tables` rebuilds or extends the index.
    NameIndex bySystemName;
    NameIndex byDisplayName;
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
            if (table->key == key)
                return table.get();
        }
        return nullptr;
    }

    void add(std::unique_ptr<Table> table) {
        // A library file not read yet is superseded by a table of its name.
        if (LibraryFile* file = unreadFile(table->key))
            file->read = true;
        if (Table* existing = findLoaded(table->key)) {
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
        std::optional<std::string> bytes = fsys::readBytes(fsys::resolve(path.view()), nullptr);
        if (!bytes) {
            if (problems != nullptr)
                problems->append(path + L": cannot be read\n");
            return false;
        }
        const Mx_String name = getFileName(path, false);
        if (findLoaded(keyOf(tableNameOf(name).view())) != nullptr)
            return false;
        std::unique_ptr<Table> table = parseTable(name, textfile::decode(*bytes, nullptr));
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

    void readLibraryFile(std::size_t i) {
        if (files[i].read)
            return;
        files[i].read = true;
        readTableFile(files[i].path, static_cast<int>(i), nullptr);
    }

    void readLibrary() {
        for (std::size_t i = 0; i < files.size(); ++i)
            readLibraryFile(i);
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
        if (const Location* at = bySystemName.find(key))
            return at;
        // A system name is the table's name, "-" and the size: read the table it names.
        for (std::size_t dash = key.rfind(L'-'); dash != std::wstring::npos && dash > 0;
             dash = key.rfind(L'-', dash - 1)) {
            if (readLibraryTable(key.substr(0, dash))) {
                if (const Location* at = bySystemName.find(key))
                    return at;
            }
        }
        // Every table the name could be a system name of is read now: it is a display name, or
        // unknown. The first file that holds a display name wins over the later ones, so the files are
        // read in order until one holds it, or until the table that holds it comes before the rest.
        for (std::size_t i = 0; i < files.size(); ++i) {
            const Location* at = byDisplayName.find(key);
            if (at != nullptr && at->table->order <= static_cast<int>(i))
                return at;
            readLibraryFile(i);
        }
        return byDisplayName.find(key);
    }

    void index(const Table& table) {
        bySystemName.reserve(static_cast<std::size_t>(table.rowCount()));
        byDisplayName.reserve(table.names.size());
        for (const Table::Name& name : table.names)
            (name.system ? bySystemName : byDisplayName)
                .place(table.keyOfName(name), Location{&table, name.row});
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
    std::unique_ptr<Table> table = makeTable(key, picture, headers);
    if (table == nullptr)
        return Acad::eInvalidInput;
    std::vector<Span> fields;
    for (const Mx_StringArray& row : rows) {
        fields.clear();
        for (const Mx_String& field : row) {
            fields.push_back(Span{static_cast<std::uint32_t>(table->text.size()),
                                  static_cast<std::uint32_t>(field.str().size())});
            table->text += field.str();
        }
        table->addRow(fields);
    }
    table->makeNames();
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
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!trimmed(table->field(row, 0)).empty())
            names.append(table->systemName(row));
    }
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getSystemName(const Mx_String& name, Mx_String& systemName) const {
    const Location* at = impl_->findSection(name);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    systemName = at->table->systemName(at->row);
    return Acad::eOk;
}

Acad::ErrorStatus Mx_SectionTableManager::getDisplayName(const Mx_String& section, int language,
                                                         Mx_String& name) const {
    const Location* at = impl_->findSection(section);
    if (at == nullptr)
        return Acad::eKeyNotFound;
    if (language < 0 || language >= at->table->languages || 1 + language >= at->table->fieldCount(at->row))
        return Acad::eInvalidIndex;
    name = Mx_String(at->table->field(at->row, 1 + language));
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

namespace {

// The text of value `field` of the section, or nothing (with the status) when there is none.
std::optional<std::wstring_view> sectionValue(const Location* at, int field, Acad::ErrorStatus& status) {
    if (at == nullptr) {
        status = Acad::eKeyNotFound;
        return std::nullopt;
    }
    const Table& table = *at->table;
    if (field < 0 || field >= table.fieldCount(at->row) - table.firstValueColumn()) {
        status = Acad::eInvalidIndex;
        return std::nullopt;
    }
    status = Acad::eOk;
    return table.field(at->row, table.firstValueColumn() + field);
}

}  // namespace

Acad::ErrorStatus Mx_SectionTableManager::getSectionValue(const Mx_String& section, int field,
                                                          Mx_String& value) const {
    Acad::ErrorStatus status = Acad::eOk;
    if (std::optional<std::wstring_view> text = sectionValue(impl_->findSection(section), field, status))
        value = Mx_String(*text);
    return status;
}

Acad::ErrorStatus Mx_SectionTableManager::getSectionValue(const Mx_String& section, int field,
                                                          double& value) const {
    Acad::ErrorStatus status = Acad::eOk;
    std::optional<std::wstring_view> text = sectionValue(impl_->findSection(section), field, status);
    if (!text)
        return status;
    double number = 0.0;
    if (!parseNumber(*text, number))
        return Acad::eInvalidInput;
    value = number;
    return Acad::eOk;
}
