#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "app/startup_values.h"
#include "link/device_identity.h"

namespace vemo {

namespace {

enum Flag : unsigned {
    kAll = 1,
    kDefaults = 2,
    kForce = 4,
    kNoBackup = 8,
    kNoDefaults = 16,
};

struct CommandSpec {
    std::string_view name;
    unsigned flags;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::string_view usage;
};

constexpr std::size_t kAny = 10000;

constexpr std::string_view kGeneralUsage =
    "usage: vemo [global options] COMMAND [arguments]\n"
    "\n"
    "Commands (`vemo COMMAND --help` tells more):\n"
    "  scan [--all]            find the device; show its port, model and versions\n"
    "  get [NAME...]           show the parameters, all or those named\n"
    "  set NAME=VALUE...       change parameters and show what the device now holds\n"
    "  save FILE               save the device's parameters as a configuration file\n"
    "  load FILE               write a configuration file to the device, also as defaults\n"
    "  diff FILE [FILE2]       how a configuration file differs from the device or FILE2\n"
    "  iq show|save|load       the IQ calibration table (model 0x78, hardware 3 or later)\n"
    "  firmware check|update   what a firmware update would do; do it\n"
    "  restart                 restart the device\n"
    "\n"
    "Global options:\n"
    "  --port PATH       a serial device to try before the machine's own ports (repeatable)\n"
    "  --simulate MODEL  use a simulated device of model 0x82 or 0x78 instead\n"
    "  --base-dir DIR    where config/, logos/ and firmware/ are (default: working directory)\n"
    "  --lang CODE       language of the device's status texts: EN, FR, IT, DE, PO or ES\n"
    "                    (default: the first line of pref.txt in the base directory)\n"
    "  --json            one JSON object a line on standard output, progress included\n"
    "  --trace           every frame sent and received, time-stamped, on standard error\n"
    "  --file FILE       get, set and diff work on this configuration file, not a device\n"
    "  --model MODEL     the model of --file or of diff's files, 0x82 or 0x78 (default:\n"
    "                    from the extension, .koralin or .tmc)\n"
    "\n"
    "Exit status: 0 success, 2 usage error, 3 no device found, 4 the device refused or went\n"
    "silent, 5 file error, 6 a value refused by the checks, 7 firmware update failed.\n";

constexpr std::array kCommands = {
    CommandSpec{"scan", kAll, 0, 0,
                "usage: vemo scan [--all]\n"
                "  Finds the device with the window's scan (the --port ports first) and shows\n"
                "  its port, model, software and hardware versions.\n"
                "  --all  list every device that answers, on every port\n"},
    CommandSpec{"get", 0, 0, kAny,
                "usage: vemo get [NAME...]\n"
                "  Reads the parameter block and shows the parameters, all or those named, with\n"
                "  their units and list texts. Names: `vemo get` lists them all. With --file,\n"
                "  shows a configuration file's.\n"},
    CommandSpec{
        "set", kDefaults, 0, kAny,
        "usage: vemo set [--defaults] NAME=VALUE...\n"
        "  Reads the block, changes the named parameters with the settings panel's\n"
        "  checks, writes it, reads it back and shows what the device now holds. A list\n"
        "  parameter takes its text (8MHz, 64-QAM) or its index. Nothing is written when\n"
        "  a value is refused.\n"
        "  --defaults  also store the result as the device's defaults (on model 0x82\n"
        "              with the logo named by logo-name, from logos/; the device restarts)\n"
        "  With --file, edits a configuration file in place instead.\n"},
    CommandSpec{"save", 0, 1, 1,
                "usage: vemo save FILE\n"
                "  Saves the device's parameters as a configuration file, as the window's SAVE\n"
                "  does: .koralin (model 0x82) or .tmc (model 0x78) is added unless FILE ends\n"
                "  with it.\n"},
    CommandSpec{"load", kNoBackup | kNoDefaults, 1, 1,
                "usage: vemo load [--no-defaults] [--no-backup] FILE\n"
                "  Writes a configuration file to the device and stores it as its defaults, as\n"
                "  the window's LOAD does. First saves the device's parameters under\n"
                "  config/backup/ in the base directory.\n"
                "  --no-defaults  write the current parameters only\n"
                "  --no-backup    do not save the device's parameters first\n"},
    CommandSpec{"diff", 0, 1, 2,
                "usage: vemo diff FILE [FILE2]\n"
                "  Shows, parameter by parameter, how configuration file FILE differs from the\n"
                "  device (or from FILE2, or from --file).\n"},
    CommandSpec{"iq", 0, 1, 2,
                "usage: vemo iq show | iq save FILE | iq load FILE\n"
                "  The IQ calibration table of model 0x78 from hardware version 3:\n"
                "  show  read it from the device\n"
                "  save  read it from the device into an .iqc file\n"
                "  load  write an .iqc file to the device\n"},
    CommandSpec{"firmware", kForce | kNoBackup, 1, 1,
                "usage: vemo firmware check [--force] | firmware update [--force] [--no-backup]\n"
                "  check   what an update would write, from the firmware/ folder of the base\n"
                "          directory, as the window decides it when it connects\n"
                "  update  write it, restart the device, find it again and check its version;\n"
                "          first saves the device's parameters under config/backup/\n"
                "  --force      rewrite the firmware whatever its version, as \"Firm. Reload\"\n"
                "               does (package digest mismatches are then accepted)\n"
                "  --no-backup  do not save the device's parameters first\n"},
    CommandSpec{"restart", 0, 0, 0, "usage: vemo restart\n  Restarts the device.\n"},
    CommandSpec{"help", 0, 0, 1, "usage: vemo help [COMMAND]\n"},
};

const CommandSpec* FindCommand(std::string_view name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [name](const CommandSpec& entry) { return entry.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

bool ParseLanguage(std::string code, int& language) {
    std::transform(code.begin(), code.end(), code.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static constexpr std::array<std::string_view, 6> kCodes = {"EN", "FR", "IT", "DE", "PO", "ES"};
    if (std::find(kCodes.begin(), kCodes.end(), code) == kCodes.end()) {
        return false;
    }
    language = LanguageFromPreference(code);
    return true;
}

// A global option and its value at `i`; false when `arg` is none.
bool TakeGlobal(const std::vector<std::string>& args, std::size_t& i, GlobalOptions& global,
                std::string& error, bool& taken) {
    const std::string& arg = args[i];
    taken = true;
    if (arg == "--json") {
        global.json = true;
        return true;
    }
    if (arg == "--trace") {
        global.trace = true;
        return true;
    }
    static constexpr std::array<std::string_view, 6> kWithValue = {
        "--port", "--simulate", "--base-dir", "--lang", "--file", "--model"};
    if (std::find(kWithValue.begin(), kWithValue.end(), arg) == kWithValue.end()) {
        taken = false;
        return true;
    }
    if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
    }
    const std::string& value = args[++i];
    if (arg == "--port") {
        global.ports.push_back(value);
    } else if (arg == "--base-dir") {
        global.baseDirectory = value;
    } else if (arg == "--file") {
        global.file = value;
    } else if (arg == "--lang") {
        int language = 0;
        if (!ParseLanguage(value, language)) {
            error = "--lang takes EN, FR, IT, DE, PO or ES, not " + value;
            return false;
        }
        global.language = language;
    } else {
        std::uint8_t model = 0;
        if (!ParseModelCode(value, model)) {
            error = arg + " takes 0x82 or 0x78, not " + value;
            return false;
        }
        (arg == "--simulate" ? global.simulateModel : global.fileModel) = model;
    }
    return true;
}

bool TakeCommandFlag(const std::string& arg, CommandLine& line) {
    static constexpr std::array<std::pair<std::string_view, bool CommandLine::*>, 6> kFlags = {{
        {"--all", &CommandLine::all},
        {"--defaults", &CommandLine::defaults},
        {"--force", &CommandLine::force},
        {"--no-backup", &CommandLine::noBackup},
        {"--no-defaults", &CommandLine::noDefaults},
        {"--help", &CommandLine::help},
    }};
    for (const auto& [name, member] : kFlags) {
        if (arg == name) {
            line.*member = true;
            return true;
        }
    }
    if (arg == "-h") {
        line.help = true;
        return true;
    }
    return false;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            bool taken = false;
            if (!TakeGlobal(args, i, line.global, error, taken)) {
                return false;
            }
            if (!taken && !TakeCommandFlag(arg, line)) {
                error = "unknown option " + arg;
                return false;
            }
            continue;
        }
        if (line.command.empty()) {
            line.command = arg;
        } else {
            line.operands.push_back(arg);
        }
    }
    return true;
}

std::optional<std::string> UsageText(const std::string& command) {
    if (command.empty()) {
        return std::string(kGeneralUsage);
    }
    const CommandSpec* entry = FindCommand(command);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return std::string(entry->usage);
}

bool CheckCommand(const CommandLine& line, std::string& error) {
    const CommandSpec* entry = FindCommand(line.command);
    if (entry == nullptr) {
        error = line.command.empty() ? "no command given" : "unknown command " + line.command;
        return false;
    }
    const std::array<std::pair<bool, unsigned>, 5> given = {{{line.all, kAll},
                                                             {line.defaults, kDefaults},
                                                             {line.force, kForce},
                                                             {line.noBackup, kNoBackup},
                                                             {line.noDefaults, kNoDefaults}}};
    for (const auto& [set, flag] : given) {
        if (set && (entry->flags & flag) == 0) {
            error = line.command + " takes no such option";
            return false;
        }
    }
    const std::size_t count = line.operands.size();
    if (count < entry->minOperands || count > entry->maxOperands) {
        error = "wrong number of arguments for " + line.command;
        return false;
    }
    if (line.command == "set" && count == 0 && !line.defaults) {
        error = "set needs NAME=VALUE";
        return false;
    }
    if (line.command == "iq") {
        const std::string& action = line.operands[0];
        const bool withFile = action == "save" || action == "load";
        if ((action != "show" && !withFile) || (withFile != (count == 2))) {
            error = "iq takes show, save FILE or load FILE";
            return false;
        }
    }
    if (line.command == "firmware") {
        const std::string& action = line.operands[0];
        if (action != "check" && action != "update") {
            error = "firmware takes check or update";
            return false;
        }
        if (line.noBackup && action != "update") {
            error = "--no-backup goes with firmware update";
            return false;
        }
    }
    const bool worksOnFiles =
        line.command == "get" || line.command == "set" || line.command == "diff";
    if (line.global.file && !worksOnFiles) {
        error = "--file goes with get, set and diff only";
        return false;
    }
    if (line.global.file && line.defaults) {
        error = "--defaults needs a device, not --file";
        return false;
    }
    if (line.global.fileModel && !line.global.file && line.command != "diff") {
        error = "--model goes with --file or diff";
        return false;
    }
    return true;
}

}  // namespace vemo
