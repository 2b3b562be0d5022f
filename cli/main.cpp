// mendwright-cli: the operations of the main window without windows, for
// scripts and terminals.
#include "cli/cli_run.h"

int main(int argc, char** argv)
{
    return mw::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc));
}
