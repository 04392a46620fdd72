#pragma once
// What a standards run found wrong, kept for whoever runs the engine without a person at the screen:
// the command, batch runs, tests. The legacy message boxes are shown exactly as before (or not, by the
// document's standards-warnings switch); each problem also leaves a finding here that names its sheet,
// cell, equation as written and cause, whether or not a box was shown.
//
// A report collects only while a VlRunReportScope is alive; without one every call here is a no-op, so
// the engine pays nothing when nobody listens.
#include <string>
#include <unordered_set>
#include <vector>

struct VlRunFinding {
    enum class Severity { warning, error };

    // A short, stable word for the kind of problem: "equation-failed", "not-retrieved", "not-set",
    // "mapping", "duplicate-variables", "tolerance", "lookup", "sizes-file", "child", "run-failed", ...
    std::string kind;
    Severity severity = Severity::error;
    std::string sheet;     // the sheet's path as shown to the user (UTF-8)
    std::string cell;      // "B23"; empty when the problem has no cell
    int row = 0;           // grid row and column of that cell, 0 when none
    int col = 0;
    std::string equation;  // the cell's text as the author wrote it, before names became cells
    std::string variable;  // the variable a value could not be had for or set ("not-retrieved", "not-set")
    std::string cause;     // "#NAME?", "data file \"Bolts.dat\" not found", "key \"M20\" not in ...", ...
    std::string text;      // the whole message: the legacy box text where there is one

    bool isError() const { return severity == Severity::error; }
};

class VlRunReport {
public:
    // The report of the innermost live scope; null when nobody collects.
    static VlRunReport* active();

    void add(VlRunFinding finding);
    const std::vector<VlRunFinding>& findings() const { return findings_; }
    bool hasErrors() const;
    void clear();

    // True the first time `key` is asked in this report: for things said once per file or name.
    bool firstTime(const std::string& key);

    // Why a domain function gave the grid its error result. The equation being evaluated picks it up
    // (takeCause) when its cell comes back with an error; a cause nobody picks up is dropped at the
    // next equation.
    void noteCause(std::string cause);
    std::string takeCause();

private:
    std::vector<VlRunFinding> findings_;
    std::unordered_set<std::string> said_;
    std::string cause_;
};

// Makes `report` the active one for its lifetime and restores the previous one on every way out.
class VlRunReportScope {
public:
    explicit VlRunReportScope(VlRunReport& report);
    ~VlRunReportScope();
    VlRunReportScope(const VlRunReportScope&) = delete;
    VlRunReportScope& operator=(const VlRunReportScope&) = delete;

private:
    VlRunReport* previous_;
};

// Shorthands for the engine: they do nothing (vlTakeCause gives "") without an active report.
void vlReport(VlRunFinding finding);
void vlNoteCause(std::string cause);
std::string vlTakeCause();
// Whether anybody collects: lets a caller skip composing a finding nobody would keep.
bool vlReporting();

// "B23" for column 2, row 23; empty for a cell outside the sheet (column or row 0).
std::string vlCellName(int col, int row);
