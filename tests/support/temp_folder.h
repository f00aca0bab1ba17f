#pragma once
// A fresh folder per test, removed afterwards; the program folder of a test.

#include <string>

namespace kelmar::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() joined with a relative name.
    std::string file(const std::string& name) const;
    // Writes a file below the folder (creating its folders); returns its path.
    std::string write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void makeFolder(const std::string& name) const;

private:
    std::string path_;
};

// The source tree and the build tree, as the test runner passes them.
std::string sourceDir();
std::string buildDir();

// A program folder holding copies of the shipped resources (languages, catalogs).
void copyResources(const TempFolder& folder);

}  // namespace kelmar::test
