#ifndef CIMHTTP_CLI_FLEET_TFLEETRUNNER_H
#define CIMHTTP_CLI_FLEET_TFLEETRUNNER_H

#include <chrono>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "fleet/TChildProcess.h"
#include "fleet/THostsFile.h"
#include "output/Json.h"
#include "program/TOptions.h"

namespace NCimHTTPCli {

// How the inventory of one host ended.
struct THostOutcome {
    int fExitStatus = 0;
    std::string fError;
    // The classes as the host's process reported them; null when it failed.
    std::shared_ptr<TJson> fClasses;
    double fSeconds = 0;
};

// Runs the inventory of every host, each in a cimhttp process of its own
// (the plug-in is single-threaded and checks for ESXi once per process),
// at most the number of jobs at once; a host that takes longer than the
// host time-out is killed. The password reaches the processes through
// their environment, never their command line.
class TFleetRunner {
public:
    TFleetRunner(const TOptions& options, const std::string& password);

    // One outcome per host, in the order of the hosts.
    std::vector<THostOutcome> Run(const std::vector<THostEntry>& hosts);

private:
    struct TRunning {
        std::size_t fIndex;
        std::unique_ptr<TChildProcess> fProcess;
        std::chrono::steady_clock::time_point fStarted;
    };

    TRunning Start(const std::vector<THostEntry>& hosts, std::size_t index) const;
    void WaitForOutput(std::list<TRunning>& running) const;
    // True when the host is done; its outcome is then filled.
    bool Collect(TRunning& running, THostOutcome& outcome) const;
    THostOutcome OutcomeOf(TChildProcess& process) const;
    static std::string ProgramPath();

    TOptions fOptions;
    std::string fPassword;
    std::chrono::seconds fHostTimeout;
};

}  // namespace NCimHTTPCli

#endif
