#include "platform/command_line.h"

#include "platform/text.h"

#include <algorithm>

namespace kelmar::platform {

const std::string& CommandLineArgs::arg(int i) const {
    static const std::string empty;
    return i >= 1 && i < static_cast<int>(items.size()) ? items[i] : empty;
}

void CommandLineArgs::set(int i, std::string text) {
    if (i < 1) return;
    if (static_cast<int>(items.size()) <= i) items.resize(i + 1);
    items[i] = std::move(text);
}

bool CommandLineArgs::automaticOnline() const {
    const std::string& a = arg(1);
    return a == "A" || a == "a" || automaticWrite();
}

bool CommandLineArgs::automaticWrite() const {
    const std::string& a = arg(1);
    return a == "I" || a == "i";
}

CommandLineArgs splitCommandLine(std::string_view commandLine, int maxCount) {
    CommandLineArgs args;
    if (maxCount < 0) maxCount = 0;
    args.items.assign(static_cast<size_t>(maxCount) + 1, std::string());
    int n = 0;
    bool inside = false;
    for (char c : commandLine) {
        if (c == '/' || c == '\t') {
            inside = false;
            continue;
        }
        if (!inside) {
            if (n == maxCount) break;
            ++n;
            inside = true;
        }
        args.items[n] += c;
    }
    args.items.resize(static_cast<size_t>(n) + 1);
    for (auto& item : args.items) item = trimBlanks(item);
    return args;
}

CommandLineArgs commandLineFromArgv(int argc, const char* const* argv, int maxCount) {
#ifdef _WIN32
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return splitCommandLine(line, maxCount);
#else
    // By position: folder paths hold slashes, so nothing is split here.
    CommandLineArgs args;
    const int count = std::min(argc - 1, maxCount);
    for (int i = 1; i <= count; ++i) {
        std::string_view field = argv[i];
        if (i == 1) field.remove_prefix(std::min(field.find_first_not_of("/ \t"), field.size()));
        args.items.push_back(trimBlanks(field));
    }
    return args;
#endif
}

CommandLineRequest commandLineRequest(const CommandLineArgs& args) {
    const std::string& first = args.arg(1);
    if (first.empty() || args.automaticOnline()) return CommandLineRequest::Run;
    if (first == "--help" || first == "-h" || first == "?") return CommandLineRequest::Help;
    if (first == "--version") return CommandLineRequest::Version;
    return CommandLineRequest::Unknown;
}

std::string usageText() {
    return "Usage: kelmar [/A | /I] [OUTPUT-FOLDER]\n"
           "       kelmar --help | --version\n"
           "\n"
           "Converts the characteristics measured by ORVELAN into Q-DAS transfer files.\n"
           "\n"
           "  (none)         start and wait: Online, Offline and ASCII Export are pressed by hand\n"
           "  /A             switch online mode on at once\n"
           "  /I             automatic run: online at once, the data entry form confirms itself,\n"
           "                 the file is written at the end of the execution and the program ends\n"
           "  OUTPUT-FOLDER  with /A or /I: write the Q-DAS file into this folder\n"
           "  --help, /?     print this text and end\n"
           "  --version      print the version and end\n"
           "\n"
           "Environment:\n"
           "  KELMAR_HOME        the program folder (default: the folder of the executable)\n"
           "  KELMAR_SETTINGS    the settings file (INI)\n"
           "  KELMAR_CODEPAGE    1250 for a Windows-1250 installation (default Windows-1252)\n"
           "  KELMAR_UNATTENDED  1: message boxes become lines on standard error, answered at once\n"
           "  ORVELAN_SIM        a host file: attach to a simulated host built from it\n"
           "  ORVELAN_SIM_AUTOSTART  0: the simulated host waits for Execute; 1: it executes at once\n"
           "\n"
           "Exit status: 0 normal end, 1 start-up failed or an unattended /I run could not\n"
           "write its files, 2 an unknown argument in an unattended run.\n";
}

std::string unknownArgumentText(const std::string& argument) {
    return "Unknown argument \"" + argument + "\": start with /A, /I or no argument (kelmar --help lists them).";
}

}  // namespace kelmar::platform
