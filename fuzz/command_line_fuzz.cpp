// The command line, split as on Windows and taken from argv as elsewhere.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/command_line.h"

using namespace kelmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const int maxCount = size > 0 ? data[0] % 12 : 10;
    platform::CommandLineArgs split = platform::splitCommandLine(text, maxCount);
    if (split.count() > std::max(maxCount, 0)) fuzz::propertyFailed("more arguments than allowed");
    for (int i = 0; i <= split.count() + 1; ++i) (void)split.arg(i);
    (void)split.automaticWrite();

    // The NUL-separated pieces as the argv of a program.
    std::vector<std::string> pieces{"kelmar"};
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t nul = text.find('\0', start);
        if (nul == std::string_view::npos) nul = text.size();
        pieces.emplace_back(text.substr(start, nul - start));
        start = nul + 1;
    }
    std::vector<const char*> argv;
    for (const auto& piece : pieces) argv.push_back(piece.c_str());
    platform::CommandLineArgs args = platform::commandLineFromArgv(static_cast<int>(argv.size()), argv.data(), maxCount);
    if (args.count() > std::max(maxCount, 0)) fuzz::propertyFailed("more arguments than allowed from argv");
    (void)args.automaticOnline();
    return 0;
}
