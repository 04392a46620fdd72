#include "cli/ShowDataDialog.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "cli/Commands.h"
#include "cli/DialogDataJson.h"
#include "cli/StandardsCommandSupport.h"
#include "dialogs/StartDialogs.h"
#include "dialogs/VlDlgCis2Data.h"
#include "dialogs/VlGridDlgData.h"
#include "dialogs/VlLookUpDlgData.h"
#include "dialogs/VlSelectImageDlgData.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "standards/StartDlgGenVars.h"

namespace connsheet {
namespace {

template <class Data>
int run(Data& data, bool (*start)(Data&), const std::string& dataFile, const ModalStepsOptions& options,
        CommandContext& context) {
    if (!dataFile.empty()) {
        std::ifstream in(dataFile, std::ios::binary);
        if (!in) {
            context.err << "connsheet: " << dataFile << ": cannot read the data\n";
            return 2;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string error;
        if (!readDialogData(text, data, error)) {
            context.err << "connsheet: " << dataFile << ": " << error << '\n';
            return 2;
        }
    }
    ModalStepsOutcome outcome;
    const int status = runModalWithSteps(
        options, [&] { return start(data); }, outcome, context);
    if (status == 0 && outcome.accepted)
        context.out << writeDialogData(data) << '\n';
    return status;
}

}  // namespace

bool isDataDialog(unsigned id) {
    return id == 242 || id == 244 || id == 254 || id == 256 || id == 8719;
}

int showDataDialog(unsigned id, const std::string& dataFile, const ModalStepsOptions& options,
                   CommandContext& context) {
    switch (id) {
        case 242: {
            VlGridDlgData data;
            return run(data, &StartDlgGrid, dataFile, options, context);
        }
        case 244: {
            VlLookUpDlgData data;
            return run(data, &StartDlgLookUp, dataFile, options, context);
        }
        case 254: {
            VlDlgCis2Data data;
            return run(data, &StartDlgCis2Info, dataFile, options, context);
        }
        case 8719: {
            VlSelectImageDlgData data;
            return run(data, &StartDlgSelectImage, dataFile, options, context);
        }
        default:
            break;
    }
    // The general variables dialog: the library's, shown and edited but never saved here.
    if (!dataFile.empty()) {
        context.err << "connsheet: dialog " << id << " takes the library's general variables, not --data\n";
        return 2;
    }
    VlAutoStandardsData data;
    if (!loadStoredGeneralVariables("show", data, context))
        return 1;
    ModalStepsOutcome outcome;
    const int status = runModalWithSteps(
        options, [&data] { return StartDlgGenVars(data); }, outcome, context);
    if (status == 0 && outcome.accepted)
        context.out << data.text();
    return status;
}

}  // namespace connsheet
