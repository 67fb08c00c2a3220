#pragma once

#include <string>
#include <vector>

namespace fixtures {

struct ProcessResult {
    int status = -1; // exit status, or -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs a program with the given arguments (no shell), capturing its output.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args);

// A built program of this project, from the folder that holds them all.
std::string builtProgram(const std::string& name);

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace fixtures
