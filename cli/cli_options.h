#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// Options that apply to every command.
struct GlobalOptions {
    std::vector<std::string> ports;             // --port PATH, tried first, in order
    std::optional<std::uint8_t> simulateModel;  // --simulate 0x82|0x78
    std::optional<std::filesystem::path> baseDirectory;
    std::optional<int> language;  // --lang CODE as a UiLanguage
    bool json = false;
    bool trace = false;
    std::optional<std::filesystem::path> file;  // --file: a configuration file instead of a device
    std::optional<std::uint8_t> fileModel;      // --model
};

// The command and what follows it.
struct CommandLine {
    GlobalOptions global;
    std::string command;                // empty: none given
    std::vector<std::string> operands;  // arguments that are not options
    // Command options; each command accepts only its own.
    bool all = false;         // scan --all
    bool defaults = false;    // set --defaults
    bool force = false;       // firmware --force
    bool noBackup = false;    // load, firmware update --no-backup
    bool noDefaults = false;  // load --no-defaults
    bool help = false;
};

// Global options may stand before or after the command; `--` ends the options. False with
// `error` set for an unknown option or one without its value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

// The general usage, or that of one command; nothing for an unknown command.
std::optional<std::string> UsageText(const std::string& command);

// Checks that the command exists and takes the options and operands given. False with `error`.
bool CheckCommand(const CommandLine& line, std::string& error);

}  // namespace vemo
