// vemo: the command-line front end of the configuration tool, on the window's own core.
#include <unistd.h>
#include <QCoreApplication>
#include <filesystem>
#include <iostream>

#include "cli/run_vemo.h"
#include "cli/system_machine.h"

int main(int argc, char** argv) {
    // Qt Serial Port wants an application object, even without an event loop.
    QCoreApplication application(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    vemo::SystemMachine machine;
    const vemo::CliStreams streams{std::cout, std::cerr, isatty(STDOUT_FILENO) == 1,
                                   isatty(STDERR_FILENO) == 1};
    std::error_code ignored;
    return vemo::RunVemo(args, machine, streams, std::filesystem::current_path(ignored));
}
