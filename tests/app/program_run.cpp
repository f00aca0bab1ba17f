#include "app/program_run.h"

#include "support/child_process.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace kelmar::test {

ProgramRun runKelmarProgram(const TempFolder& home, std::vector<std::string> arguments, Environment environment) {
#ifdef _WIN32
    const std::string program = buildDir() + "/kelmar.exe";
#else
    const std::string program = buildDir() + "/kelmar";
#endif
    // The user's own waiting folder inside the test's folder, never in the real one.
#ifdef _WIN32
    const char* userData = "LOCALAPPDATA";
#else
    const char* userData = "XDG_DATA_HOME";
#endif
    environment.insert(environment.begin(), {{"KELMAR_HOME", home.path()},
                                             {userData, home.file("user")},
                                             {"QT_QPA_PLATFORM", "offscreen"}});
    ChildProgram child{program, std::move(arguments), std::move(environment), home.path(), home.file("stderr.txt"),
                       home.file("stdout.txt")};
    ProgramRun run;
    run.status = runChild(child);
    run.errors = home.read("stderr.txt");
    run.output = home.read("stdout.txt");
#ifdef _WIN32
    for (std::string* text : {&run.errors, &run.output}) *text = std::regex_replace(*text, std::regex("\r\n"), "\n");
#endif
    return run;
}

std::vector<std::string> automaticRunInto(const std::string& folder) {
#ifdef _WIN32
    return {"/I", "/" + fs::path(folder).make_preferred().string()};
#else
    return {"/I", folder};
#endif
}

std::string settingsFile(const std::string& home, const std::string& outputFolder, bool dfd) {
    return "[General]\n"
           "CatalogPathName=" + home + "/Catalogs/MyCatalog.dfd\n"
           "FileName1=0\nFileName2=0\nFileName3=0\nFileName4=0\nFileName5=0\nSEPERATOR=0\n"
           "DIR=" + outputFolder + "\n"
           "FileCounter=1\nSelectFolder=false\nPartProgFolder=false\nDefaultFolder=true\n"
           "UseFolders=0\nFileNameRule0=true\nFileNameRule1=false\n" +
           std::string(dfd ? "DFD=true\nDFQ=false\n" : "DFD=false\nDFQ=true\n") +
           "UseQPos=1\nAxisLetter=0\nMultiLine=0\nAttribute255=true\nStatCmds=0\n";
}

std::string iniFileText(const std::string& settings) {
    std::string text;
    for (char c : settings) {
        if (c == '\\') text += c;
        text += c;
    }
    return text;
}

std::string savedDataEntries() {
    std::string file;
    for (const char* line : {"", "", "", "0", "0", "", "0", "0", "A-4711", "BR-2210", "0", "", "QA Lab", "Plant 1",
                             "2", "0.001", "Series production", "", "", "0", "0", "0", "[]", "0"})
        file += std::string(line) + "\r\n";
    return file;
}

std::vector<fs::path> filesIn(const std::string& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string withTimeStampsMasked(const std::string& content) {
    static const std::regex stamp(R"((K0004/\d+ )\d\d\.\d\d\.\d{4}/\d\d:\d\d:\d\d\r)");
    std::istringstream in(content);
    std::string masked, line;
    while (std::getline(in, line)) {
        masked += std::regex_replace(line, stamp, "$1dd.mm.yyyy/hh:mm:ss\r");
        if (!in.eof()) masked += '\n';
    }
    return masked;
}

}  // namespace kelmar::test
