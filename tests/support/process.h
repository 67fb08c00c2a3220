#pragma once

#include <string>
#include <vector>

#include <sys/resource.h>

namespace fixtures {

struct ProcessResult {
    int status = -1; // exit status, or -1 when killed by a signal
    int signal = 0;  // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// What the child gets besides its arguments: a file-size limit of its own, and options
// added to the AddressSanitizer options it inherits.
struct ChildSetup {
    rlim_t fileSizeLimit = RLIM_INFINITY;
    std::string asanOptions;
};

// Runs a program with the given arguments (no shell), capturing its output.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const ChildSetup& setup = {});

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
