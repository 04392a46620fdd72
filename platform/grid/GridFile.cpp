#include "platform/grid/GridFile.h"

#include <optional>
#include <utility>  // move

#include "platform/arx/Utf8.h"
#include "platform/grid/DelimitedGridFile.h"
#include "platform/grid/LoadedFiles.h"
#include "platform/grid/NativeGridFormat.h"
#include "platform/grid/NativeGridReader.h"
#include "platform/grid/NativeGridWriter.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"

namespace grid {
namespace {

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

GridFileResult withName(GridFileResult r, std::string_view name) {
    if (!r.ok && !name.empty()) r.diagnostic = std::string(name) + ": " + r.diagnostic;
    return r;
}

}  // namespace

GridFileFormat GridFile::detect(const std::filesystem::path& path, std::string_view bytes) {
    std::string ext = lowerExtension(path);
    if (ext == ".csv") return GridFileFormat::Csv;
    if (ext == ".tsv") return GridFileFormat::Tsv;
    std::string_view head = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    const std::string_view magic = gridfile::kMagic;
    if (head.starts_with(magic) && head.size() > magic.size() && head[magic.size()] == ' ') return GridFileFormat::Native;
    return sniffDelimiter(bytes) == Delimiter::Tab ? GridFileFormat::Tsv : GridFileFormat::Csv;
}

GridFileResult GridFile::loadText(Sheet& sheet, std::string_view bytes, GridFileFormat format, std::string_view name) {
    if (format == GridFileFormat::Native) return withName(readNativeGrid(sheet, bytes).result, name);
    return withName(readDelimitedGrid(sheet, bytes, format == GridFileFormat::Tsv ? Delimiter::Tab : Delimiter::Comma), name);
}

namespace {

// What the native reader does to the target, from a kept load of the same file. The loader resets
// the sheet and gives it back the switches it had; restoring the content resets all the rest, and
// keeps the cell blocks for the copy.
void applyKept(Sheet& sheet, const LoadedFiles::Entry& kept) {
    sheet.restoreContent(*kept.content);
    sheet.setRefStyle(kept.style);
    for (auto [index, on] : kept.switches)
        if (index != kSwitchChanged) sheet.setBool(index, on);
    sheet.setBool(kSwitchChanged, false);
}

}  // namespace

GridFileResult GridFile::load(Sheet& sheet, std::wstring_view path) {
    std::filesystem::path resolved = fsys::resolve(path);
    const std::optional<fsys::FileStamp> stamp = fsys::stamp(resolved);
    if (stamp) {
        if (const auto kept = LoadedFiles::find(resolved, *stamp)) {
            applyKept(sheet, *kept);
            return {};
        }
    }
    std::string error;
    std::optional<std::string> bytes = fsys::readBytes(resolved, &error);
    if (!bytes) return {false, error, 0};
    const GridFileFormat format = detect(resolved, *bytes);
    if (format != GridFileFormat::Native) return loadText(sheet, *bytes, format, utf8::encode(path));
    NativeGridRead read = readNativeGrid(sheet, *bytes);
    GridFileResult result = withName(std::move(read.result), utf8::encode(path));
    // The stamp was taken before the read: a write in between gives the file a newer stamp, so what
    // is kept here is never taken for the newer content.
    if (result && stamp && stamp->size == static_cast<std::int64_t>(bytes->size()) &&
        stamp->size <= LoadedFiles::kMaxFileSize && stamp->settled())
        LoadedFiles::keep(resolved, {*stamp, sheet.saveContent(), read.refStyle, std::move(read.switches)});
    return result;
}

std::string GridFile::toNativeText(Sheet& sheet) { return writeNativeGrid(sheet); }

std::string GridFile::toDelimitedText(Sheet& sheet, char delimiter) {
    return writeDelimitedGrid(sheet, delimiter == '\t' ? Delimiter::Tab : Delimiter::Comma);
}

GridFileResult GridFile::save(Sheet& sheet, std::wstring_view path) {
    std::filesystem::path resolved = fsys::resolve(path);
    std::string ext = lowerExtension(resolved);
    std::string bytes = ext == ".csv" ? toDelimitedText(sheet, ',')
                        : ext == ".tsv" ? toDelimitedText(sheet, '\t')
                                        : toNativeText(sheet);
    std::string error;
    if (!fsys::writeAtomic(resolved, bytes, &error)) return {false, error, 0};
    sheet.setBool(kSwitchChanged, false);
    return {};
}

int SSLoadFromFile(Sheet& sheet, std::wstring_view path, std::string* diagnostic) {
    GridFileResult r = GridFile::load(sheet, path);
    if (diagnostic) *diagnostic = r.diagnostic;
    return r.ok ? 1 : 0;
}

int SSSaveToFile(Sheet& sheet, std::wstring_view path, std::string* diagnostic) {
    GridFileResult r = GridFile::save(sheet, path);
    if (diagnostic) *diagnostic = r.diagnostic;
    return r.ok ? 1 : 0;
}

}  // namespace grid
