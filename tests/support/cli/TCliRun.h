#ifndef CIMHTTP_TESTS_SUPPORT_CLI_TCLIRUN_H
#define CIMHTTP_TESTS_SUPPORT_CLI_TCLIRUN_H

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace cimhttp_test {

// What one run of cimhttp gave: its exit status (-1 when a signal ended it)
// and everything it wrote.
struct TCliResult {
    int fStatus = -1;
    std::string fOut;
    std::string fErr;
};

// cimhttp as a user runs it: the built program in a process of its own,
// stdin from /dev/null, stdout and stderr into files (a long answer never
// blocks it), the environment of the test plus what the test adds.
class TCliRun {
public:
    explicit TCliRun(std::vector<std::string> arguments);
    ~TCliRun();
    TCliRun(const TCliRun&) = delete;
    TCliRun& operator=(const TCliRun&) = delete;

    TCliRun& WithEnvironment(const std::string& name, const std::string& value);
    void Start();
    pid_t Pid() const { return fPid; }
    // Waits for the program; past the time-out it is killed and the test fails.
    TCliResult Finish(std::chrono::seconds timeout = std::chrono::seconds(180));
    TCliResult Run(std::chrono::seconds timeout = std::chrono::seconds(180));

    // build/<preset>/bin/cimhttp of this build.
    static std::string ProgramPath();

private:
    std::vector<std::string> fArguments;
    std::vector<std::string> fEnvironment;
    std::string fOutFile;
    std::string fErrFile;
    pid_t fPid;
};

// The run on a terminal of its own (a pseudo-terminal that is the process's
// controlling terminal): what the terminal showed, stdout and stderr
// together in fOut; `typed` is typed (with Enter) once the program prompts.
// With stdoutFile, stdout goes to that file instead.
TCliResult RunOnTerminal(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                         const std::string& typed, const std::string& stdoutFile = std::string());

}  // namespace cimhttp_test

#endif
