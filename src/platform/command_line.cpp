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

}  // namespace kelmar::platform
