#ifndef CIMHTTP_CLI_FLEET_TCHILDPROCESS_H
#define CIMHTTP_CLI_FLEET_TCHILDPROCESS_H

#include <string>
#include <vector>

#include <sys/types.h>

namespace NCimHTTPCli {

// A program run in a process group of its own, stdin from /dev/null, its
// stdout and stderr collected through pipes.
class TChildProcess {
public:
    // Extra environment entries ("NAME=value") replace those of the same name.
    // Throws TCliError when the program cannot be started.
    TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment);
    // Kills and reaps a child still running.
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // The pipes not yet at their end, to wait on.
    std::vector<int> OpenPipes() const;
    // Takes what the pipe holds; closes it at its end.
    void ReadFrom(int pipe);
    // True once the child has exited and both pipes are at their end.
    bool Finished();
    // Kills the child's whole process group and reaps it.
    void Kill();

    // The exit status; -1 when a signal ended the child.
    int ExitStatus() const { return fExitStatus; }
    int Signal() const { return fSignal; }
    const std::string& Output() const { return fOutput; }
    // The last line the child wrote to stderr.
    std::string LastErrorLine() const;

private:
    static std::vector<std::string> EnvironmentWith(const std::vector<std::string>& extra);
    void Reap(int options);
    void ClosePipes();

    pid_t fPid;
    int fOutputPipe;
    int fErrorPipe;
    std::string fOutput;
    std::string fErrors;
    bool fReaped;
    int fExitStatus;
    int fSignal;
};

}  // namespace NCimHTTPCli

#endif
