#pragma once
// The data of the macro cuts dialogs: the cut a macro makes (its kind, parameters and the macros it
// applies to) and the cuts on one profile of the drawing, with the calls that work in the drawing
// (MacroDrawing: every call is logged, removed cuts are written into the macro's file at once).
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/DynArrayData.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// The macros a cut applies to, as the cut dialog lists them.
struct MacrosInDlgData {
    static constexpr int kNewCut = 2;
    int mode = 0;  // kNewCut: a new cut is being defined
    AcArray<AcDbObjectId> ids;
    Mx_StringArray names;  // the macro names, one per id

    // Lets the user pick macros in the drawing (the drawing's next pick). On a pick of macros that are
    // in the drawing the list becomes the picked ones and the result is true; a cancelled pick, or one
    // that names an object the drawing does not hold, leaves the list as it was.
    bool UserSelectMacro();
};

// A cut of a macro being defined or edited.
struct DlgMacroCutsData {
    enum Kind : int {
        kProfileVsPlate = 0,
        kProfileVsProfile = 1,
        kProfileInProfile = 2,
        kProfileVsProfile3Segments = 3,
        kChamfer = 4,
        kFillet = 5,
    };
    static constexpr int kKindCount = 6;

    Mx_String cutName;
    int kind = kProfileVsPlate;
    Mx_StringArray paramNames;
    AcArray<double> paramValues;
    AcArray<int> paramFlags;   // per parameter: 1 the user may change it, 0 fixed
    bool existingCut = false;  // the dialog edits a cut the macros have (title "Edit cut")
    int target = 0;            // 0: the macros in the list, 1: macros selected in the drawing
    int placement = 0;         // 0 at a profile end (which end: `profileEnd`), 1 whole length, 2 at a point
    int profileEnd = 0;        // 0 start, 1 end, 2 both ends, 3 none, 4 not given
    bool flangesOnly = false;
    bool webOnly = false;
    bool roundWebCorners = false;  // only with webOnly and not flangesOnly
    // Handed back to the caller however the dialog was closed: set when the user selected other macros
    // in the drawing, so the caller refreshes what it highlights even after Cancel.
    bool flag = false;
    MacrosInDlgData macros;

    // The parameters a cut of that kind starts with. False (and the arrays emptied) for a kind outside
    // 0..5.
    static bool GetDefaultValues(int kind, Mx_StringArray& names, AcArray<double>& values,
                                 AcArray<int>& flags);
    // A cut of that name (ignoring case) in any module of any macro in the list.
    bool CutNameInUse(const Mx_String& name) const;
    // Parameter names become variables of the macros: each must be a name of letters, digits and
    // underscores that does not start with a digit, must not start with "gen_" (the prefix of general
    // variables, ignoring case), and no two may be the same (ignoring case).
    bool AreVarNamesValid() const;
};

// The cuts that lie on one profile of the drawing: the cuts of the module that holds the named
// profile in the macro object.
struct DlgProfCutsData {
    AcDbObjectId profileId;  // the macro object
    Mx_String profileName;   // the named profile (empty: the macro's first named profile)

    // One line per cut ("BeamEndCut (Plane)"), in the module's order. False when the profile is not
    // in the drawing (the list is then empty).
    bool getCutDescs(Mx_StringArray& descs) const;
    // Removes the cut from the module and writes the macro into its file. False for an index outside
    // the list or when the file could not be written (nothing changes then).
    bool removeCut(int index);
    // Draws the cut as a preview in the drawing; removeCutPreview takes it away again. False for an
    // index outside the list, or for a preview that is not drawn.
    bool drawCutPreview(int index);
    bool removeCutPreview(int index);
    // Takes away every preview drawn through this object.
    void removeAllCutPreviews();
    int previewCount() const { return previews_.length(); }
    // Lets the user pick another profile (the drawing's next profile pick). True when one was picked
    // that lies in the drawing; the object then names it.
    bool selectOtherProf();

private:
    Mx_StringArray previews_;  // "module/cut" of each preview drawn
};
