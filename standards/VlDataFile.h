#pragma once
// The text files the standards functions read: data files (GETCELL, GETPROFCELL: TAB-separated rows,
// "//" comments) and sizes files (the tolerance functions: "A x B" or "A" per line, "//" and
// "/* ... */" comments). Files are found through the library's lookup order and parsed once per path
// and modification time, so a sheet that calls GETCELL in every equation reads its file once.
#include <memory>
#include <utility>
#include <vector>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class VlDataFile {
public:
    using Rows = std::vector<Mx_StringArray>;
    using Sizes = std::vector<std::pair<double, double>>;
    // A sizes file as read: its sizes, and the lines that are no size ("Flats in stock", "180 x"),
    // which are left out, as written.
    struct SizesFile {
        Sizes sizes;
        std::vector<Mx_String> skipped;
    };

    // The first existing of: `name`; the library folder + "Connection Standards\Data\" + name;
    // + "Connection Standards\" + name; the library folder + name. False when none exists.
    // A bare name found in the working folder while the library has one too is told to the run's
    // report, for `sheet`.
    static bool find(const Mx_String& name, Mx_String& path, const Mx_String& sheet = Mx_String());

    // The rows of a data file (each the TAB-separated columns); null when it cannot be read. The rows
    // stay valid while the caller holds the pointer, even if the file is read again meanwhile.
    static std::shared_ptr<const Rows> readData(const Mx_String& path);
    // The (A, B) pairs of a sizes file; null when it cannot be read.
    static std::shared_ptr<const SizesFile> readSizes(const Mx_String& path);

    // The parsers on their own, for text already in memory.
    static Rows parseData(const Mx_String& text);
    static Sizes parseSizes(const Mx_String& text);
    static SizesFile parseSizesFile(const Mx_String& text);

    // Forgets every parsed file.
    static void clearCache();
};
