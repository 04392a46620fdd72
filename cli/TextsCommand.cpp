#include <ostream>
#include <vector>

#include "cli/Commands.h"
#include "platform/arx/Utf8.h"
#include "platform/mxbase/UiTexts.h"

namespace connsheet {

void addTextsCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("texts", "Print user-interface texts by number");
    auto numbers = std::make_shared<std::vector<int>>();
    command->add_option("N", *numbers, "Text numbers")->required();
    command->callback([&context, numbers] {
        for (int n : *numbers) context.out << n << '\t' << utf8::encode(dialString(n).c_str()) << '\n';
        context.exitStatus = 0;
    });
}

}  // namespace connsheet
