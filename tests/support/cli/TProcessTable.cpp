#include "TProcessTable.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <dirent.h>

namespace cimhttp_test {

namespace {

std::string Read(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// /proc/<pid>/stat: "pid (name) state ppid ..."; the name may hold blanks
// and parentheses, so the fields after it are counted from the last ")".
pid_t ParentOf(const std::string& stat) {
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) {
        return -1;
    }
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string state;
    pid_t parent = -1;
    fields >> state >> parent;
    return parent;
}

}  // namespace

std::string TProcessTable::CommandLineOf(pid_t pid) {
    std::string text = Read("/proc/" + std::to_string(pid) + "/cmdline");
    for (char& c : text) {
        c = c == '\0' ? ' ' : c;
    }
    return text;
}

std::vector<pid_t> TProcessTable::ChildrenOf(pid_t parent) {
    std::vector<pid_t> children;
    DIR* proc = opendir("/proc");
    for (dirent* entry = proc ? readdir(proc) : nullptr; entry; entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atol(entry->d_name));
        if (pid > 0 && ParentOf(Read("/proc/" + std::string(entry->d_name) + "/stat")) == parent) {
            children.push_back(pid);
        }
    }
    if (proc) {
        closedir(proc);
    }
    return children;
}

}  // namespace cimhttp_test
