#include "fleet/TFleetRunner.h"

#include <algorithm>
#include <climits>

#include <poll.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "program/TCliError.h"
#include "program/TCommandLine.h"
#include "program/TPasswordSource.h"

namespace NCimHTTPCli {

namespace {

using Clock = std::chrono::steady_clock;

// Between two looks at a child whose pipes are closed but which has not exited yet.
const std::chrono::milliseconds kLongestWait(200);
const std::string kReasonPrefix = "cimhttp: ";

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The child's one-line reason without the program's name and the status
// name, which the host's result has apart.
std::string ReasonOf(const std::string& line, int status) {
    const std::string prefix = kReasonPrefix + ExitStatusName(status) + ": ";
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

}  // namespace

TFleetRunner::TFleetRunner(const TOptions& options, const std::string& password)
    : fOptions(options), fPassword(password), fHostTimeout(options.fHostTimeoutSeconds) {}

std::string TFleetRunner::ProgramPath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        throw TCliError(eExitFailure, "cannot tell where cimhttp itself is");
    }
    return std::string(path, static_cast<std::size_t>(length));
}

TFleetRunner::TRunning TFleetRunner::Start(const std::vector<THostEntry>& hosts, std::size_t index) const {
    std::vector<std::string> arguments = TCommandLine::ConnectionArguments(fOptions, hosts[index].fNodes);
    arguments.insert(arguments.end(), {"--format", "json", "inventory-host"});
    arguments.insert(arguments.end(), fOptions.fClasses.begin(), fOptions.fClasses.end());
    std::vector<std::string> environment;
    if (!fOptions.fConnection.fUser.empty()) {
        environment.push_back(std::string(TPasswordSource::kEnvironmentVariable) + "=" + fPassword);
    }
    return TRunning{index, std::make_unique<TChildProcess>(ProgramPath(), arguments, environment), Clock::now()};
}

std::vector<THostOutcome> TFleetRunner::Run(const std::vector<THostEntry>& hosts) {
    std::vector<THostOutcome> outcomes(hosts.size());
    std::list<TRunning> running;
    std::size_t next = 0;
    const std::size_t jobs = std::max(1u, fOptions.fJobs);
    while (next < hosts.size() || !running.empty()) {
        while (running.size() < jobs && next < hosts.size()) {
            running.push_back(Start(hosts, next++));
        }
        WaitForOutput(running);
        running.remove_if([&](TRunning& host) { return Collect(host, outcomes[host.fIndex]); });
    }
    return outcomes;
}

// Until some pipe has output or the nearest host time-out, whichever comes first.
void TFleetRunner::WaitForOutput(std::list<TRunning>& running) const {
    std::vector<pollfd> pipes;
    std::vector<TChildProcess*> owners;
    Clock::duration wait = Clock::duration::max();
    for (TRunning& host : running) {
        const std::vector<int> open = host.fProcess->OpenPipes();
        for (int pipe : open) {
            pipes.push_back(pollfd{pipe, POLLIN, 0});
            owners.push_back(host.fProcess.get());
        }
        // A process whose pipes are closed is about to exit: look again soon.
        if (open.empty()) {
            wait = std::min<Clock::duration>(wait, kLongestWait);
        }
        wait = std::min(wait, std::max(Clock::duration::zero(), host.fStarted + fHostTimeout - Clock::now()));
    }
    const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count() + 1;
    if (pipes.empty()) {
        usleep(static_cast<useconds_t>(waitMs * 1000));
        return;
    }
    if (poll(pipes.data(), pipes.size(), static_cast<int>(std::min<long long>(waitMs, INT_MAX))) <= 0) {
        return;
    }
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (pipes[i].revents) {
            owners[i]->ReadFrom(pipes[i].fd);
        }
    }
}

bool TFleetRunner::Collect(TRunning& host, THostOutcome& outcome) const {
    if (Clock::now() - host.fStarted >= fHostTimeout) {
        host.fProcess->Kill();
        outcome.fExitStatus = eExitTimeout;
        outcome.fError = "no result within " + std::to_string(fHostTimeout.count()) + " s (--host-timeout)";
    } else if (host.fProcess->Finished()) {
        outcome = OutcomeOf(*host.fProcess);
    } else {
        return false;
    }
    outcome.fSeconds = SecondsSince(host.fStarted);
    return true;
}

THostOutcome TFleetRunner::OutcomeOf(TChildProcess& process) const {
    THostOutcome outcome;
    if (process.Signal()) {
        outcome.fExitStatus = eExitFailure;
        outcome.fError = "the host's process ended by signal " + std::to_string(process.Signal());
        return outcome;
    }
    outcome.fExitStatus = process.ExitStatus();
    if (outcome.fExitStatus != eExitSuccess) {
        outcome.fError = ReasonOf(process.LastErrorLine(), outcome.fExitStatus);
        return outcome;
    }
    try {
        outcome.fClasses = std::make_shared<TJson>(TJson::parse(process.Output()).at("classes"));
    } catch (const TJson::exception& e) {
        outcome.fExitStatus = eExitFailure;
        outcome.fError = std::string("the host's process gave no readable result: ") + e.what();
    }
    return outcome;
}

}  // namespace NCimHTTPCli
