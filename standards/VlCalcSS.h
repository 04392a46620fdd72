#pragma once
// The grid window a standards sheet is evaluated in. It loads the ".vls" sheet, finds the declared
// variables (Input, Output, Local), puts the input values into their cells, replaces the general
// variables, turns each equation below "Calc" into a grid formula in sheet order (top to bottom, left
// to right) and copies each result into its variable's cell. It registers the standards functions
// (ROUNDTO, GETCELL, ...) with the grid and runs "CallChild" itself.
//
// The window must have been created (from a dialog placeholder) before any of this.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/Mx_Spread.h"
#include "standards/VlRunReport.h"
#include "standards/VlTextMemo.h"
#include "standards/VlVarCells.h"

class VlDlgStandardsData;

class VlCalcSS : public Mx_Spread {
public:
    // CallChild refuses to nest deeper than this many running sheets.
    static constexpr int kMaxNesting = 32;

    VlCalcSS() = default;
    ~VlCalcSS() override;

    // `name` as a path, or else the library folder + "Connection Standards\" + name + ".vls".
    Acad::ErrorStatus loadFile(const Mx_String& name);
    Acad::ErrorStatus initVarCells();
    // Main run: variables from the macro into their cells, general variables replaced.
    Acad::ErrorStatus initSSForInput(VlDlgStandardsData& data);
    Acad::ErrorStatus calcMain(VlDlgStandardsData& data);
    // Child run: the variables from the argument list by position.
    Acad::ErrorStatus getFromVars(VlDlgStandardsData& data);
    Acad::ErrorStatus calcChild(VlVarCells& args);
    // Registers the functions, drops duplicate variables, evaluates the equations.
    Acad::ErrorStatus calc();
    VlVarCells& varCells() { return varCells_; }
    const VlVarCells& varCells() const { return varCells_; }
    Acad::ErrorStatus replaceGenVars();

    const Mx_String& fileName() const { return fileName_; }
    void setGenVars(const Mx_StringArray& names, const Mx_StringArray& values);

    // The sheets being evaluated right now, outermost first (a child run nests inside its parent's
    // evaluation of one cell).
    static int runningDepth();
    // The file of the innermost sheet being evaluated; empty outside any evaluation.
    static const Mx_String& evaluatingFile();
    // Whether a sheet of this path is being evaluated (anywhere up the CallChild chain).
    static bool isRunning(const Mx_String& path);
    // The same file, whatever the separators and letter case.
    static bool samePath(const Mx_String& a, const Mx_String& b);

    // A finding about this sheet, and about the equation being evaluated when there is one (its cell
    // and its text as written).
    VlRunFinding finding(std::string kind, VlRunFinding::Severity severity) const;

private:
    // The start rows (header row + 1, -1 when missing) of Input, Output, Local and Calc.
    void findSections(int (&startRows)[4]);
    Acad::ErrorStatus registerFunctions();
    void removeDuplicates();
    // A child run's variables must have unique names: when they do not, says so (the child and the
    // names) and gives true.
    bool refuseDuplicateNames();
    // Evaluates one equation cell; false when it failed (already reported).
    bool calcCell(int col, int row);
    bool callChild(const Mx_String& expression);
    bool findChildSheet(const Mx_String& name, Mx_String& path) const;
    // The legacy message box, and a finding with the cause, for the equation being evaluated.
    void reportFailedEquation(const Mx_String& target, const Mx_String& expression, int row, std::string cause);


    Mx_String fileName_;
    VlVarCells varCells_;
    // The equation cell being evaluated (column 0 when none) and its text as written.
    int evaluatingCol_ = 0, evaluatingRow_ = 0;
    const std::wstring* evaluatingText_ = nullptr;
    HWND functionsRegisteredOn_ = nullptr;  // the grid registerFunctions last gave the functions
    // Per variable, same order, made when calc() finds other variables than last time: its cell
    // reference ("B12"), which each equation puts in place of the name, and the name folded when it
    // is one word (letters, digits, "_"), empty otherwise.
    struct Reference {
        Mx_String name;
        int col = 0, row = 0;
        Mx_String cell;
        std::wstring word;
    };
    std::vector<Reference> references_;
    // Made with the references, so that finding a variable by name costs the same in a sheet of forty
    // thousand variables as in one of twenty: the first variable of each name (folded; only for a
    // list too long to search as it is), and the variables of each one-word name (folded) in list
    // order. Names that are not one word
    // ("gen.Clearance") are listed apart: they are searched for in every expression.
    std::unordered_map<std::wstring, int> firstOfName_;
    std::unordered_map<std::wstring, std::vector<int>> ofWord_;
    std::vector<int> notWords_;
    // The index of the first variable named `name` (ignoring case, as VlVarCells::findVarCell); -1
    // for none. Valid while calc() runs.
    int findVariable(const Mx_String& name) const;
    void indexVariables();
    // What an equation text becomes (split, target found, names replaced), by the cell's text. It
    // depends only on the text and the variables (names and cells), so it is kept from run to run
    // of the same sheet and dropped when calc() finds other variables.
    struct Equation {
        Mx_String target;
        Mx_String expression;
        int targetIndex = -1;
        bool marked = false;  // not an assignment of a declared variable
        bool native = false;  // a "CallChild"
    };
    std::unordered_map<std::wstring, Equation> equations_;
    // The words equationOf takes of an expression, kept from equation to equation for their storage.
    std::vector<std::wstring> equationWords_;
    // Per cell text: whether it declares a variable, and which.
    struct Declaration {
        bool declares = false;
        VlValueType type = kVlString;
        Mx_String name;
    };
    VlTextMemo<Declaration> declarations_;
    // Per cell text: whether a general variable may be replaced in it, for the names it was asked for.
    VlTextMemo<bool> genVarCells_;
    std::vector<std::wstring> genVarCellsNames_;
    const Equation& equationOf(const std::wstring& text);
    Mx_StringArray genVarNames_;
    Mx_StringArray genVarValues_;
};
