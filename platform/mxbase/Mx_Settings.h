#pragma once
// The core library's settings: where the library and the installation live, the work language and the
// current document's standards-warnings switch.
//
// Folders are chosen, first match wins: a setter (the command line), the environment variable
// (CONNSHEET_LIB for the library, CONNSHEET_HOME for the installation; an empty variable counts as
// unset), the installed tree's share/connsheet/library/ and share/connsheet/res/ beside the program
// (InstallLayout.h), the compiled-in default (the source tree's bundled library and res/ folder,
// for programs run from the build tree).
#include <optional>

#include "platform/mxbase/Mx_String.h"

class Mx_Settings {
public:
    // The library folder, root of "Connection Standards\", "Macros\" and the dialog templates. Always
    // ends with a separator.
    Mx_String libDir() const;
    // An empty folder returns to the environment / default choice.
    void setLibDir(const Mx_String& folder);

    // The installation folder, root of "icons\". Always ends with a separator.
    Mx_String mxDir() const;
    void setMxDir(const Mx_String& folder);

    // The product directory: the installation folder without its trailing separator (callers append
    // "\icons\" or "\<name>.vld").
    Mx_String productDir() const;

    // The language of the user-interface texts; 0 is English, the only table shipped.
    int workLanguage() const { return workLanguage_; }
    void setWorkLanguage(int language) { workLanguage_ = language; }

    // The current document's standards-warnings switch: when off, problems of a standards run are not
    // shown in message boxes. On by default.
    bool standardsWarnings() const { return standardsWarnings_; }
    void setStandardsWarnings(bool on) { standardsWarnings_ = on; }

    // Back to the state of a freshly started process (tests).
    void reset();

private:
    std::optional<Mx_String> libDir_;
    std::optional<Mx_String> mxDir_;
    int workLanguage_ = 0;
    bool standardsWarnings_ = true;
};

extern Mx_Settings gSettings;
