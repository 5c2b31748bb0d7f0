#include "TCliRun.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

extern char** environ;

namespace cimhttp_test {

namespace {

std::string TemporaryFile(const char* what) {
    std::string path = std::string("/tmp/cimhttp-test-") + what + "-XXXXXX";
    const int fd = mkstemp(&path[0]);
    if (fd < 0) {
        throw std::runtime_error("cannot make a temporary file");
    }
    close(fd);
    return path;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(&text[0]);
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& added) {
    std::vector<std::string> environment(added);
    for (char** entry = environ; *entry; ++entry) {
        environment.push_back(*entry);
    }
    return environment;
}

int StatusOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

// Waits for the process; kills it past the deadline.
int WaitFor(pid_t pid, std::chrono::steady_clock::time_point deadline) {
    int waitStatus = 0;
    while (waitpid(pid, &waitStatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "cimhttp ran past the test's time-out and was killed";
            kill(pid, SIGKILL);
            waitpid(pid, &waitStatus, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return StatusOf(waitStatus);
}

}  // namespace

std::string TCliRun::ProgramPath() { return CIMHTTP_PROGRAM; }

TCliRun::TCliRun(std::vector<std::string> arguments)
    : fArguments(std::move(arguments)), fOutFile(TemporaryFile("out")), fErrFile(TemporaryFile("err")), fPid(-1) {}

TCliRun::~TCliRun() {
    if (fPid > 0) {
        kill(fPid, SIGKILL);
        waitpid(fPid, nullptr, 0);
    }
    unlink(fOutFile.c_str());
    unlink(fErrFile.c_str());
}

TCliRun& TCliRun::WithEnvironment(const std::string& name, const std::string& value) {
    fEnvironment.push_back(name + "=" + value);
    return *this;
}

void TCliRun::Start() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, fOutFile.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, fErrFile.c_str(), O_WRONLY | O_TRUNC, 0);
    // The test's listening sockets stay with the test: a server it stops
    // refuses connections rather than leaving them to wait in the program.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::vector<std::string> argv = fArguments;
    argv.insert(argv.begin(), ProgramPath());
    std::vector<std::string> envp = EnvironmentWith(fEnvironment);
    const int started =
        posix_spawn(&fPid, argv.front().c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        fPid = -1;
        throw std::runtime_error("cannot start " + argv.front());
    }
}

TCliResult TCliRun::Finish(std::chrono::seconds timeout) {
    TCliResult result;
    result.fStatus = WaitFor(fPid, std::chrono::steady_clock::now() + timeout);
    fPid = -1;
    result.fOut = Contents(fOutFile);
    result.fErr = Contents(fErrFile);
    return result;
}

TCliResult TCliRun::Run(std::chrono::seconds timeout) {
    Start();
    return Finish(timeout);
}

TCliResult RunOnTerminal(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                         const std::string& typed, const std::string& stdoutFile) {
    std::vector<std::string> argv = arguments;
    argv.insert(argv.begin(), TCliRun::ProgramPath());
    std::vector<std::string> envp = EnvironmentWith(environment);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envpPointers = Pointers(envp);
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        if (!stdoutFile.empty()) {
            dup2(open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        }
        closefrom(3);
        execve(argvPointers.front(), argvPointers.data(), envpPointers.data());
        _exit(127);
    }
    TCliResult result;
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wanted{terminal, POLLIN, 0};
        if (poll(&wanted, 1, 100) <= 0) {
            continue;
        }
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0) {
            break;  // EIO once the program has ended
        }
        result.fOut.append(buffer, static_cast<std::size_t>(got));
        if (!answered && result.fOut.find("Password for") != std::string::npos) {
            const std::string line = typed + "\n";
            answered = write(terminal, line.data(), line.size()) == static_cast<ssize_t>(line.size());
        }
    }
    close(terminal);
    result.fStatus = WaitFor(pid, deadline);
    return result;
}

}  // namespace cimhttp_test
