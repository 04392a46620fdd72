#include <iostream>
#include <string>
#include <vector>

#include "cli/Connsheet.h"
#include "platform/mfc/RegistryStore.h"

int main(int argc, char** argv) {
    // The command keeps registry values (dialog sizes, editor settings) in the user's config folder;
    // tests that call run() directly keep theirs in memory.
    ui::RegistryStore::useUserFile();
    std::vector<std::string> args(argv, argv + argc);
    return connsheet::run(args, std::cout, std::cerr);
}
