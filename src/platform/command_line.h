#pragma once
// Splitting of the program's command line into CommandLineArgs.

#include <string>
#include <string_view>
#include <vector>

namespace kelmar::platform {

// Element 0 is never used; elements 1..count() hold the arguments.
struct CommandLineArgs {
    std::vector<std::string> items{""};

    int count() const { return static_cast<int>(items.size()) - 1; }
    // Argument i, or empty when there is none.
    const std::string& arg(int i) const;
    // Grows the list to hold index i (keeping what it holds) and stores text there.
    void set(int i, std::string text);
    // Argument 1 is "A", "a", "I" or "i".
    bool automaticOnline() const;
    // Argument 1 is "I" or "i".
    bool automaticWrite() const;
};

// Splits at "/" and tab into at most maxCount arguments, each trimmed of blanks.
CommandLineArgs splitCommandLine(std::string_view commandLine, int maxCount = 10);

// The arguments of the running program. On Windows the command line is split
// as above. Elsewhere folder paths hold slashes, so the arguments go by position:
// argument 1 without its leading slashes and blanks is the switch, argument 2
// trimmed of blanks is taken verbatim ("/I /qdas" gives "I" and "/qdas").
CommandLineArgs commandLineFromArgv(int argc, const char* const* argv, int maxCount);

// What argument 1 asks for. A run: none, "A" or "I" (either case). The usage:
// "--help", "-h" or "?" (typed as /?). The version: "--version". Anything else is unknown.
enum class CommandLineRequest { Run, Help, Version, Unknown };
CommandLineRequest commandLineRequest(const CommandLineArgs& args);

// The usage printed by --help.
std::string usageText();
// The one line that reports an unknown argument 1.
std::string unknownArgumentText(const std::string& argument);

}  // namespace kelmar::platform
