#include "program/TPasswordSource.h"

#include <csignal>
#include <cstdlib>
#include <fstream>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "program/TCliError.h"

namespace NCimHTTPCli {

namespace {

// The terminal as it was before the prompt turned echo off; a signal during
// the prompt puts it back before the process ends.
int gTerminal = -1;
struct termios gSavedTerminal;

void RestoreTerminal() {
    if (gTerminal >= 0) {
        tcsetattr(gTerminal, TCSAFLUSH, &gSavedTerminal);
    }
}

void RestoreTerminalAndDie(int signalNumber) {
    RestoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void WriteTo(int fd, const std::string& text) {
    if (write(fd, text.data(), text.size()) < 0) {
        // Nothing to do about a terminal that takes no prompt.
    }
}

std::string ReadLine(int fd) {
    std::string line;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

std::string WithoutLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

}  // namespace

const char* const TPasswordSource::kEnvironmentVariable = "CIMHTTP_PASSWORD";

std::string TPasswordSource::Read(const TConnectionOptions& options) {
    if (options.fUser.empty()) {
        return std::string();
    }
    if (!options.fPasswordFile.empty()) {
        return FromFile(options.fPasswordFile);
    }
    if (const char* fromEnvironment = std::getenv(kEnvironmentVariable)) {
        return fromEnvironment;
    }
    return Prompt(options.fUser, options.fHosts.empty() ? std::string() : options.fHosts.front());
}

std::string TPasswordSource::FromFile(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    if (!file || !std::getline(file, line)) {
        throw TCliError(eExitUsage, "cannot read a password from " + path);
    }
    return WithoutLineEnd(line);
}

std::string TPasswordSource::Prompt(const std::string& user, const std::string& host) {
    gTerminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (gTerminal < 0 || tcgetattr(gTerminal, &gSavedTerminal) != 0) {
        throw TCliError(eExitUsage, "a password is needed for " + user + ": set " + kEnvironmentVariable +
                                        ", give --password-file, or run on a terminal to be asked");
    }
    struct termios silent = gSavedTerminal;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        std::signal(signalNumber, RestoreTerminalAndDie);
    }
    // Echo goes off before the prompt shows: what is typed after it is never echoed nor flushed away.
    tcsetattr(gTerminal, TCSAFLUSH, &silent);
    WriteTo(gTerminal, "Password for " + user + (host.empty() ? "" : "@" + host) + ": ");
    const std::string password = WithoutLineEnd(ReadLine(gTerminal));
    RestoreTerminal();
    WriteTo(gTerminal, "\n");
    close(gTerminal);
    gTerminal = -1;
    return password;
}

}  // namespace NCimHTTPCli
