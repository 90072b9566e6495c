// tallyroll-cli: the headless face of the core. Subcommands register themselves (see
// cli_command.h); this file only hands the arguments over.

#include "cli/cli_command.h"

int main(int argc, char** argv) {
    tally::cli::TCliIo io;
    return tally::cli::RunCli(argc, argv, io);
}
