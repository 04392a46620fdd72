#pragma once
// The core library's file functions. Every path may be written the product's way ("Connection
// Standards\Data\x.dat") or the Linux way, and is matched ignoring letter case when it does not exist
// as written (see fsys::resolve).
//
// Text files are read in any of the encodings textfile::detect knows (UTF-8, UTF-16 with a mark,
// Windows-1252), with CRLF or LF line ends; they are written as UTF-8 with LF, atomically: a failed
// write leaves the old file as it was.
#include <cstdint>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Reads a text file into lines (the array is emptied first). False when the file cannot be read.
bool ObjectExportReadFile(const Mx_String& fileName, Mx_StringArray& lines);
// Writes lines as a text file, replacing it. False when the file could not be written.
bool ObjectExportWriteFile(const Mx_String& fileName, const Mx_StringArray& lines);

// The files (not folders) in folder whose names match pattern ("*" any run, "?" one character, compared
// ignoring case; "*.*" matches every name). Found paths are appended to files as the folder was given,
// a separator, and the name; they come sorted by name ignoring case. False when the folder cannot be
// listed. The separator joined in is the last one the folder uses ("\" when it uses none).
bool ObjectExportFindFiles(const Mx_String& folder, const Mx_String& pattern, Mx_StringArray& files);
// The same through every subfolder; a path below a subfolder names it with the same separator.
// Symbolic links to folders are not followed, so a link loop cannot make the search endless.
bool ObjectExportFindFilesRecursive(const Mx_String& folder, const Mx_String& pattern, Mx_StringArray& files);

// Creates the folder and its missing parents. True when the folder exists afterwards.
bool ObjectExportCreateDirectory(const Mx_String& folder);

// Last-write time of a file in nanoseconds since 1970-01-01 UTC. False when the file does not exist.
bool ObjectExportGetFileTime(const Mx_String& fileName, std::int64_t& time);

// Copies a file. Without overwrite an existing target is kept and the result is false.
bool ObjectExportCopyFile(const Mx_String& from, const Mx_String& to, bool overwrite = true);

bool ObjectExportFileExists(const Mx_String& fileName);
bool ObjectExportDeleteFile(const Mx_String& fileName);

