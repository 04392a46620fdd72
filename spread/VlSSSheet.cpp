#include "spread/VlSSSheet.h"

#include <utility>
#include <vector>

#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/GdiObjects.h"  // LOGFONT
#include "spread/Mx_Spread.h"
#include "spread/VlSSRegistrySets.h"
#include "spread/VlSSSettings.h"

namespace {

constexpr long kNewSheetEditStyle = 4;
constexpr int kNewSheetEditLength = 100;

std::vector<std::pair<Mx_String, SheetFileWriter>>& writers() {
    static std::vector<std::pair<Mx_String, SheetFileWriter>> registered;
    return registered;
}

SheetFileWriter writerFor(const Mx_String& fileName) {
    for (const auto& [extension, writer] : writers())
        if (fileName.endsWith(extension, false))
            return writer;
    return nullptr;
}

// The settings a new sheet starts with: the named file, else the registry's default settings file,
// else the defaults.
VlSSSettings newSheetSettings(const Mx_String& settingsName) {
    VlSSSettings settings;
    if (settings.readFromFile(settingsName))
        return settings;
    VlSSRegistrySets registry;
    registry.read();
    if (!registry.defaultSettingsName.isEmpty() && settings.readFromFile(registry.defaultSettingsName))
        return settings;
    settings.setDefaults();
    return settings;
}

}  // namespace

void setSheetFileWriter(const Mx_String& extension, SheetFileWriter writer) {
    auto& all = writers();
    for (auto it = all.begin(); it != all.end(); ++it)
        if (it->first.equal(extension, false)) {
            all.erase(it);
            break;
        }
    if (writer)
        all.emplace_back(extension, writer);
}

bool initNewSheet(Mx_Spread& grid, const Mx_String& settingsName, bool isNew) {
    if (!grid.isCreated())
        return false;
    for (short on : {12, 25, 7, 21})
        grid.SetBool(on, TRUE);
    if (isNew) {
        grid.SetMaxCols(6);
        grid.SetMaxRows(11);
        grid.SetAutoSizeVisible(4, 5);
        grid.setEditCells(SS_ALLCOLS, SS_ALLROWS, SS_ALLCOLS, SS_ALLROWS, kNewSheetEditStyle,
                          kNewSheetEditLength);
        VlSSSettings settings = newSheetSettings(settingsName);
        settings.writeToSheet(grid.GetSafeHwnd());
        if (!settings.defaultFont.isEmpty() && settings.defaultTextHeight >= 1) {
            const int cols = grid.GetMaxCols(), rows = grid.GetMaxRows();
            grid.setFontRange(1, 1, cols, rows, settings.defaultFont, settings.defaultTextHeight, false,
                              false);
            grid.setFontRange(0, 1, 0, rows, settings.defaultFont, settings.defaultTextHeight, true, false);
            grid.setFontRange(1, 0, cols, 0, settings.defaultFont, settings.defaultTextHeight, true, false);
        }
    }
    WORD mode = 0;
    long delay = 0;
    LOGFONT font{};
    COLORREF background = 0, foreground = 0;
    grid.GetTextTip(&mode, &delay, &font, &background, &foreground);
    grid.SetTextTip(2, 10, &font, background, foreground);
    grid.SetCellNoteIndicator(0);
    return true;
}

bool saveSheet(Mx_Spread& grid, const Mx_String& fileName) {
    if (!grid.isCreated() || fileName.isEmpty())
        return false;
    const SheetFileWriter writer = writerFor(fileName);
    const bool saved = writer ? writer(grid, fileName) : grid.SaveToFile(fileName.c_str()) != FALSE;
    if (!saved)
        return false;
    grid.SetBool(SSB_CHANGEMADE, FALSE);

    VlSSSettings settings;
    settings.readFromSheet(grid.GetSafeHwnd());
    if (!settings.copyHeaderFooter(fileName, true) && !settings.copyHeaderFooter(fileName, false))
        return true;
    // NOTE: the new paths go into the sheet in memory only; the file on disk keeps the old ones until
    // the sheet is saved again.
    settings.writeToSheet(grid.GetSafeHwnd());
    return true;
}

bool applyVariables(Mx_Spread& grid, const Mx_StringArray& names, const Mx_StringArray& values) {
    if (!grid.isCreated())
        return false;
    VlSSSettings settings;
    settings.readFromSheet(grid.GetSafeHwnd());
    settings.varNames = names;
    settings.varValues = values;
    return settings.writeToSheet(grid.GetSafeHwnd());
}

bool loadSettingsIntoGrid(Mx_Spread& grid, const Mx_String& settingsName) {
    if (!initNewSheet(grid, settingsName, true))
        return false;
    // The settings the new sheet took (the named file or the registry's default), so the grid's font
    // is the one its tag names.
    VlSSSettings settings;
    settings.readFromSheet(grid.GetSafeHwnd());
    grid.setFontFace(settings.defaultFont);
    grid.setFontSize(settings.defaultTextHeight);
    return grid.resetFonts(false);
}
