#include "support/child_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cwchar>

namespace kelmar::test {

#ifdef _WIN32
namespace {

std::wstring wide(const std::string& text) {
    std::wstring result(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), static_cast<int>(result.size()));
    result.pop_back();
    return result;
}

// One argument as the C runtime splits it again: quoted, backslashes before a quote doubled.
std::wstring quoted(const std::wstring& argument) {
    std::wstring result = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
            backslashes = 0;
        }
        result += c;
    }
    result.append(backslashes, L'\\');
    return result + L"\"";
}

// The environment block of this process with the child's values put over it.
std::wstring environmentBlock(const std::vector<std::pair<std::string, std::string>>& overrides) {
    std::wstring block;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1) {
        std::wstring line = entry;
        bool replaced = false;
        for (const auto& [name, value] : overrides)
            replaced = replaced || _wcsnicmp(line.c_str(), (wide(name) + L"=").c_str(), name.size() + 1) == 0;
        if (!replaced) block += line + L'\0';
    }
    FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : overrides) block += wide(name) + L"=" + wide(value) + L'\0';
    return block + L'\0';
}

}  // namespace

int runChild(const ChildProgram& child) {
    std::wstring commandLine = quoted(wide(child.program));
    for (const auto& argument : child.arguments) commandLine += L" " + quoted(wide(argument));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE errors = CreateFileW(wide(child.errorFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE output = CreateFileW(wide(child.outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE nothing = CreateFileW(L"NUL", GENERIC_READ, 0, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    std::wstring environment = environmentBlock(child.environment);
    PROCESS_INFORMATION process{};
    int status = -1;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), wide(child.workingFolder).c_str(), &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(child.timeoutSeconds) * 1000) == WAIT_OBJECT_0) {
            DWORD code = 0;
            if (GetExitCodeProcess(process.hProcess, &code)) status = static_cast<int>(code);
        } else {
            TerminateProcess(process.hProcess, 255);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(errors);
    CloseHandle(output);
    CloseHandle(nothing);
    return status;
}

#else

int runChild(const ChildProgram& child) {
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        for (const auto& [name, value] : child.environment) setenv(name.c_str(), value.c_str(), 1);
        int errors = open(child.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int output = open(child.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int nothing = open("/dev/null", O_RDONLY);
        if (errors < 0 || output < 0 || nothing < 0 || chdir(child.workingFolder.c_str()) != 0) _exit(127);
        dup2(nothing, STDIN_FILENO);
        dup2(output, STDOUT_FILENO);
        dup2(errors, STDERR_FILENO);
        // The alarm outlives exec: a program that hangs is stopped.
        alarm(static_cast<unsigned>(child.timeoutSeconds));
        std::vector<char*> argv{const_cast<char*>(child.program.c_str())};
        for (const auto& argument : child.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(child.program.c_str(), argv.data());
        _exit(127);
    }
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

#endif

}  // namespace kelmar::test
