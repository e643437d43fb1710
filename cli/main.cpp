#include "cli/CommandRegistry.h"

int main(int argc, char** argv) {
    return veldrin::cli::RunCli(argc, argv);
}
