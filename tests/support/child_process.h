#pragma once
// Runs a program as a user would start it: its own process, its own working
// folder and environment, standard error and output into files, on every platform.

#include <string>
#include <utility>
#include <vector>

namespace kelmar::test {

struct ChildProgram {
    std::string program;
    std::vector<std::string> arguments;
    // Set for the child only, on top of this process's environment.
    std::vector<std::pair<std::string, std::string>> environment;
    std::string workingFolder;
    std::string errorFile;
    std::string outputFile;
    int timeoutSeconds = 60;
};

// The program's exit status; -1 when it could not start or was stopped at the time-out.
int runChild(const ChildProgram& child);

}  // namespace kelmar::test
