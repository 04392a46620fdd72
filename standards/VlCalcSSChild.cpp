// "CallChild" and the child run: a sheet that runs another sheet with some of its variables as
// positional arguments.
#include <system_error>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mfc/Win32Api.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlFileLookup.h"
#include "standards/VlRunReport.h"
#include "standards/VlTypedValue.h"

namespace {

// The names that more than one variable of `variables` carries (ignoring case), each once as first
// written; false when every name is unique. A child is checked on every call, so the usual short
// list is settled by comparing lengths, without folding or hashing a name.
bool findDuplicateNames(const VlVarCells& variables, Mx_StringArray& duplicates) {
    constexpr int kPairsUpTo = 64;
    const int count = variables.length();
    if (count <= kPairsUpTo) {
        bool any = false;
        for (int i = 0; i < count && !any; ++i)
            for (int j = i + 1; j < count && !any; ++j)
                any = variables[i].name.length() == variables[j].name.length() &&
                      variables[i].name.equal(variables[j].name, false);
        if (!any) return false;
    }
    Mx_StringArray names;
    for (int i = 0; i < count; ++i) names.append(variables[i].name);
    return getDuplicates(names, duplicates, false) > 0;
}

Mx_String folderOf(const Mx_String& path) {
    const int slash = std::max(path.findLastFrom(L'\\'), path.findLastFrom(L'/'));
    return slash < 0 ? Mx_String() : path.getSubStringAt(0, slash + 1);
}

}  // namespace

bool VlCalcSS::samePath(const Mx_String& a, const Mx_String& b) {
    if (a.equal(b, false)) return true;
    const auto resolvedA = fsys::resolve(a.view());
    const auto resolvedB = fsys::resolve(b.view());
    // Two existing files are the same when they are one file on disk (links, "..", letter case: all
    // end at the same inode); that is two stats, where the canonical form reads every link on the way.
    const fsys::PathInfo infoA = fsys::pathInfo(resolvedA);
    const fsys::PathInfo infoB = fsys::pathInfo(resolvedB);
    if (infoA.exists() && infoB.exists())
        return infoA.stamp.device == infoB.stamp.device && infoA.stamp.inode == infoB.stamp.inode;
    std::error_code error;
    const auto left = std::filesystem::weakly_canonical(resolvedA, error);
    if (error) return false;
    const auto right = std::filesystem::weakly_canonical(resolvedB, error);
    if (error) return false;
    return fsys::equalIgnoringCase(fsys::toWide(left), fsys::toWide(right));
}

Acad::ErrorStatus VlCalcSS::getFromVars(VlDlgStandardsData& data) {
    Mx_FunctionTimer timer(gGetFromVars);
    setGenVars(data.genVarNames, data.genVarValues);
    const Acad::ErrorStatus found = initVarCells();
    if (found != Acad::eOk) return found;
    // Arguments are matched by position. The duplicates a run drops would move every later variable
    // one place up, and a result would land in the wrong argument without a word: such a child is
    // not run at all.
    if (refuseDuplicateNames()) return Acad::eInvalidInput;
    const VlVarCells& args = data.varCells;
    int locals = 0;
    for (int i = 0; i < varCells_.length(); ++i) {
        VlVarCell& variable = varCells_[i];
        if (variable.isLocal()) {
            ++locals;
            variable.setNewValue(*this, Mx_String());
            continue;
        }
        const int j = i - locals;
        if (j >= args.length()) {
            vlNoteCause(std::to_string(args.length()) + " arguments given; the sheet takes more (its inputs, then its outputs)");
            return Acad::eInvalidInput;
        }
        if (!variable.isInput() && !variable.isOutput()) continue;
        // The caller's input cannot receive a result.
        if (variable.isOutput() && args[j].isInput()) {
            vlNoteCause("its output " + variable.name.toUtf8() + " would be returned into the input " + args[j].name.toUtf8());
            return Acad::eInvalidInput;
        }
        variable.setNewValue(*this, args[j].value);
    }
    return replaceGenVars();
}

bool VlCalcSS::refuseDuplicateNames() {
    Mx_StringArray duplicates;
    if (!findDuplicateNames(varCells_, duplicates)) return false;
    const Mx_String sheet = displayPath(fileName_);
    Mx_String names;
    for (int i = 0; i < duplicates.length(); ++i) names += duplicates[i] + L"\n";
    // Said whatever the warnings switch, as every box about duplicate names is.
    const Mx_String text = Mx_String(L"There were duplicate variable names found in the standards file ") + sheet +
                           L".\nIts variables are matched to the arguments of \"CallChild\" by position, so it "
                           L"was not run. Please correct this file.\nDuplicate variable names:\n\n" + names;
    MessageBox(text.c_str(), L"Variable names must be unique", MB_OK | MB_ICONEXCLAMATION);
    Mx_String listed;
    for (int i = 0; i < duplicates.length(); ++i) listed += (i > 0 ? L", " : L"") + duplicates[i];
    const std::string cause = "child sheet " + sheet.toUtf8() + " has duplicate variable names: " + listed.toUtf8();
    VlRunFinding finding;
    finding.kind = "child";
    finding.severity = VlRunFinding::Severity::error;
    finding.sheet = sheet.toUtf8();
    finding.cause = cause;
    finding.text = text.toUtf8();
    vlReport(std::move(finding));
    // The caller's failed "CallChild" equation picks this up as its cause.
    vlNoteCause(cause);
    return true;
}

Acad::ErrorStatus VlCalcSS::calcChild(VlVarCells& args) {
    {
        Mx_FunctionTimer timer(gCalcChild);
        const Acad::ErrorStatus calculated = calc();
        if (calculated != Acad::eOk) return calculated;
    }
    Mx_FunctionTimer timer(gSetToVars);
    int locals = 0;
    for (int i = 0; i < varCells_.length(); ++i) {
        if (varCells_[i].isLocal()) ++locals;
        if (!varCells_[i].isOutput()) continue;
        // The argument index of the output: its position less the locals before it.
        const int j = i - locals;
        if (j >= args.length()) {
            vlNoteCause(std::to_string(args.length()) + " arguments given; the sheet takes more (its inputs, then its outputs)");
            return Acad::eInvalidInput;
        }
        // The cell's text, as the main run reads its outputs: the variable's own format applies.
        Mx_String current;
        if (varCells_[i].getCurrentValue(*this, current) != Acad::eOk) current = varCells_[i].value;
        args[j].setNewValue(current);
    }
    return Acad::eOk;
}

bool VlCalcSS::findChildSheet(const Mx_String& name, Mx_String& path) const {
    Mx_String relative = name;
    if (relative.startsWith(Mx_String(L"\\"))) relative = relative.getSubStringAt(1);
    const Mx_String standards = gSettings.libDir() + L"Connection Standards\\";
    const Mx_String candidates[] = {
        name,
        folderOf(fileName_) + relative,
        standards + name,
        standards + L"Childs\\" + name,
        standards + L"Data\\" + name,
        standards + L"Parents\\" + name,
    };
    if (!VlFileLookup::firstExisting(candidates, path)) return false;
    VlFileLookup::reportShadowed(candidates, path, "child sheet", fileName_);
    return true;
}

bool VlCalcSS::callChild(const Mx_String& expression) {
    const int at = expression.findFirstFrom(Mx_String(L"CallChild"), 0, false);
    if (at < 0) return false;
    const int open = expression.findFirstFrom(L'(', at);
    const int close = open < 0 ? -1 : expression.findFirstFrom(L')', open);
    if (close < 0) {
        vlNoteCause("needs (sheet, arguments...)");
        return false;
    }
    Mx_StringArray items;
    if (splitStringAtSymbol(expression.getSubStringAt(open + 1, close - open - 1), L',', items, true) < 2) {
        vlNoteCause("needs a sheet and at least one argument");
        return false;
    }

    Mx_String sheet = items[0];
    if (sheet.startsWith(Mx_String(L"\""))) sheet.removeAt(0);
    if (sheet.endsWith(Mx_String(L"\""))) sheet.removeAt(sheet.length() - 1);
    Mx_String childPath;
    if (!findChildSheet(sheet, childPath)) {
        vlNoteCause("sheet \"" + sheet.toUtf8() + "\" not found");
        return false;
    }

    VlDlgStandardsData data;
    for (int k = 1; k < items.length(); ++k) {
        const int index = findVariable(items[k]);
        if (index < 0) {
            vlNoteCause("argument \"" + items[k].toUtf8() + "\" is not a variable");
            return false;
        }
        VlVarCell argument = varCells_[index];
        argument.col = 0;
        argument.row = 0;
        data.varCells.append(argument);
    }
    // A sheet cannot call itself, directly or through other sheets, and the chain stays bounded.
    // (This sheet is among the running ones: calc() lists it before it evaluates a cell.)
    if (isRunning(childPath)) {
        vlNoteCause("\"" + sheet.toUtf8() + "\" is already running: a sheet cannot call itself, directly or through others");
        return false;
    }
    if (runningDepth() >= kMaxNesting) {
        vlNoteCause("calls nest deeper than " + std::to_string(kMaxNesting) + " sheets");
        return false;
    }

    data.mode = VlDlgStandardsData::kChildRun;
    data.standardsFile = childPath;
    data.genVarNames = genVarNames_;
    data.genVarValues = genVarValues_;
    // A failed child run leaves its cause noted (StartDlgStandardsSS).
    if (!StartDlgStandardsSS(data)) return false;

    for (int k = 0; k < data.varCells.length(); ++k) {
        const VlVarCell& argument = data.varCells[k];
        if (!argument.isOutput()) continue;
        const int index = findVariable(argument.name);
        if (index < 0) return false;
        if (varCells_[index].isInput()) {
            vlNoteCause("the child's output would be returned into the input " + argument.name.toUtf8());
            return false;
        }
        // The child's type wrote the text; this sheet's variable keeps its own.
        varCells_[index].setNewValue(*this, vlTypedValue(argument.value, varCells_[index].valueType));
    }
    return true;
}
