#include <iostream>
#include <string>
#include <vector>

#include "cli/Connsheet.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    return connsheet::run(args, std::cout, std::cerr);
}
