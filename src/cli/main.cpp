// quorvin-cli: the engine without a window.
#include "commands.h"

#include <iostream>

int main(int argc, char** argv) {
    return quorvin::cli::RunCommand({argv + 1, argv + argc}, std::cout, std::cerr);
}
