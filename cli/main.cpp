// mendwright-cli: the operations of the main window without windows, for
// scripts and terminals.
#include "cli/cli_run.h"
#include "core/console.h"

int main(int argc, char** argv)
{
    mw::PrepareStandardStreams();
    return mw::cli::RunCli(mw::ProgramArguments(argc, argv));
}
