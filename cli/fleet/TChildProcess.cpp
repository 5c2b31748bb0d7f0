#include "fleet/TChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "program/TCliError.h"

extern char** environ;

namespace NCimHTTPCli {

namespace {

// Only the end of stderr is of interest: the child's one-line reason.
const std::size_t kKeptErrorBytes = 16384;

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

std::vector<char*> CStrings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(&text[0]);
    }
    pointers.push_back(nullptr);
    return pointers;
}

void MakePipe(int ends[2]) {
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw TCliError(eExitFailure, std::string("cannot make a pipe: ") + std::strerror(errno));
    }
}

}  // namespace

std::vector<std::string> TChildProcess::EnvironmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        bool replaced = false;
        for (const std::string& added : extra) {
            replaced = replaced || NameOf(added) == NameOf(*entry);
        }
        if (!replaced) {
            environment.push_back(*entry);
        }
    }
    environment.insert(environment.end(), extra.begin(), extra.end());
    return environment;
}

TChildProcess::TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment)
    : fPid(-1), fOutputPipe(-1), fErrorPipe(-1), fReaped(false), fExitStatus(-1), fSignal(0) {
    int output[2], errors[2];
    MakePipe(output);
    MakePipe(errors);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<std::string> argv = arguments;
    argv.insert(argv.begin(), program);
    std::vector<std::string> envp = EnvironmentWith(environment);
    const int started =
        posix_spawn(&fPid, program.c_str(), &actions, &attributes, CStrings(argv).data(), CStrings(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(output[1]);
    close(errors[1]);
    fOutputPipe = output[0];
    fErrorPipe = errors[0];
    if (started != 0) {
        ClosePipes();
        fReaped = true;
        throw TCliError(eExitFailure, "cannot start " + program + ": " + std::strerror(started));
    }
}

TChildProcess::~TChildProcess() {
    if (!fReaped) {
        Kill();
    }
    ClosePipes();
}

std::vector<int> TChildProcess::OpenPipes() const {
    std::vector<int> pipes;
    for (int pipe : {fOutputPipe, fErrorPipe}) {
        if (pipe >= 0) {
            pipes.push_back(pipe);
        }
    }
    return pipes;
}

void TChildProcess::ReadFrom(int pipe) {
    char buffer[65536];
    const ssize_t got = read(pipe, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
        return;
    }
    int& end = pipe == fOutputPipe ? fOutputPipe : fErrorPipe;
    if (got <= 0) {
        close(end);
        end = -1;
        return;
    }
    std::string& text = pipe == fOutputPipe ? fOutput : fErrors;
    text.append(buffer, static_cast<std::size_t>(got));
    if (&text == &fErrors && fErrors.size() > kKeptErrorBytes) {
        fErrors.erase(0, fErrors.size() - kKeptErrorBytes);
    }
}

void TChildProcess::Reap(int options) {
    int status = 0;
    if (fReaped || waitpid(fPid, &status, options) != fPid) {
        return;
    }
    fReaped = true;
    fExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    fSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

bool TChildProcess::Finished() {
    if (fOutputPipe >= 0 || fErrorPipe >= 0) {
        return false;
    }
    Reap(WNOHANG);
    return fReaped;
}

void TChildProcess::Kill() {
    if (fReaped) {
        return;
    }
    kill(-fPid, SIGKILL);
    Reap(0);
}

void TChildProcess::ClosePipes() {
    for (int* pipe : {&fOutputPipe, &fErrorPipe}) {
        if (*pipe >= 0) {
            close(*pipe);
            *pipe = -1;
        }
    }
}

std::string TChildProcess::LastErrorLine() const {
    std::string errors = fErrors;
    while (!errors.empty() && errors.back() == '\n') {
        errors.pop_back();
    }
    const std::size_t lineStart = errors.rfind('\n');
    return lineStart == std::string::npos ? errors : errors.substr(lineStart + 1);
}

}  // namespace NCimHTTPCli
