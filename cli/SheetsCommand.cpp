// connsheet sheets: the standards sheets of the library, one name a line, as SHEET takes them (shell
// completion reads this list).
#include <ostream>

#include "cli/Commands.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "platform/mxbase/ObjectExportFiles.h"

namespace connsheet {

void addSheetsCommand(CLI::App& app, CommandContext& context) {
    auto* command =
        app.add_subcommand("sheets", "List the standards sheets of the library (names SHEET takes)");
    command->callback([&context] {
        const Mx_String folder = gSettings.libDir() + L"Connection Standards";
        Mx_StringArray files;
        if (!ObjectExportFindFiles(folder, Mx_String(L"*.vls"), files)) {
            context.err << "connsheet sheets: cannot list " << folder.toUtf8() << '\n';
            context.exitStatus = 1;
            return;
        }
        for (int i = 0; i < files.length(); ++i) {
            std::string name = files[i].toUtf8();
            name = name.substr(name.find_last_of("/\\") + 1);
            context.out << name.substr(0, name.size() - 4) << '\n';
        }
        context.exitStatus = 0;
    });
}

}  // namespace connsheet
