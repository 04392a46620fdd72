#include <cstdio>   // fflush
#include <cstdlib>  // _Exit
#include <iostream>
#include <string>
#include <vector>

#include "cli/Connsheet.h"
#include "cli/WarmStart.h"
#include "platform/mfc/RegistryStore.h"

// Before any static constructor: they are the first to touch the program's code and heap.
__attribute__((constructor(101))) static void startWarm() {
    connsheet::warmStart();
}

int main(int argc, char** argv) {
    // The command keeps registry values (dialog sizes, editor settings) in the user's config folder;
    // tests that call run() directly keep theirs in memory.
    ui::RegistryStore::useUserFile();
    std::vector<std::string> args(argv, argv + argc);
    const int status = connsheet::run(args, std::cout, std::cerr);
#if defined(__SANITIZE_ADDRESS__)
    // The leak check runs among the exit handlers.
    return status;
#else
    // What the process still holds (the loaded section tables, the dialog manager's sheets) only
    // frees memory on the way out, a twentieth of a run's work: the streams are all that must be
    // emptied before the process ends.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
#endif
}
