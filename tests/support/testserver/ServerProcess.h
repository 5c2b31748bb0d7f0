#pragma once
// A program (cimtestserver) in a child process, its standard output read
// line by line; killed when the object goes. Header only: a program that
// links none of the test helpers (one that loads the plug-in itself, say)
// can use it.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace testcimom::test {

class ServerProcess {
public:
    ServerProcess(const std::string& program, std::vector<std::string> arguments)
    {
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        arguments.insert(arguments.begin(), program);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        output_ = out[0];
        if (spawned != 0) {
            close(output_);
            throw std::runtime_error("cannot start " + program);
        }
    }

    ~ServerProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(output_);
    }

    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // The next line of output, or "" when none comes within the timeout.
    std::string line(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        while (buffered_.find('\n') == std::string::npos) {
            pollfd ready{output_, POLLIN, 0};
            char chunk[512];
            ssize_t count = 0;
            if (poll(&ready, 1, static_cast<int>(timeout.count())) <= 0 ||
                (count = read(output_, chunk, sizeof chunk)) <= 0)
                return {};
            buffered_.append(chunk, static_cast<std::size_t>(count));
        }
        std::string next = buffered_.substr(0, buffered_.find('\n'));
        buffered_.erase(0, next.size() + 1);
        return next;
    }

    // Sends the signal and returns the exit status (-1 when it did not exit).
    int stop(int signal)
    {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffered_;
};

}  // namespace testcimom::test
