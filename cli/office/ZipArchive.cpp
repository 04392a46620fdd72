#include "cli/office/ZipArchive.h"

#include <zip.h>

namespace connsheet::office {

ZipArchive::ZipArchive(std::string_view bytes) {
    zip_error_t problem;
    zip_error_init(&problem);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &problem);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &problem);
        if (!archive_)
            zip_source_free(source);
    }
    if (!archive_)
        error_ =
            zip_error_code_zip(&problem) == ZIP_ER_NOZIP
                ? "not a zip archive"
                : std::string("cannot be opened as a zip archive (") + zip_error_strerror(&problem) + ")";
    zip_error_fini(&problem);
}

ZipArchive::~ZipArchive() {
    if (archive_)
        zip_discard(archive_);
}

std::optional<std::string> ZipArchive::read(const std::string& name, std::size_t limit) {
    if (!archive_)
        return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        error_ = name + ": missing from the archive";
        return std::nullopt;
    }
    if (stat.size > limit) {
        error_ = name + ": larger than " + std::to_string(limit >> 20) + " MB unpacked";
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen(archive_, name.c_str(), 0);
    if (!file) {
        error_ = name + ": " + zip_strerror(archive_);
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    // The stated size may lie; read no more than it, and fail when less arrives.
    const zip_int64_t got = bytes.empty() ? 0 : zip_fread(file, bytes.data(), bytes.size());
    const bool whole = got == static_cast<zip_int64_t>(bytes.size());
    if (!whole)
        error_ = name + ": damaged (" + zip_file_strerror(file) + ")";
    zip_fclose(file);
    if (!whole)
        return std::nullopt;
    return bytes;
}

}  // namespace connsheet::office
