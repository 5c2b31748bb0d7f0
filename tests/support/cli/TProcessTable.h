#ifndef CIMHTTP_TESTS_SUPPORT_CLI_TPROCESSTABLE_H
#define CIMHTTP_TESTS_SUPPORT_CLI_TPROCESSTABLE_H

#include <string>
#include <vector>

#include <sys/types.h>

namespace cimhttp_test {

// What /proc tells about processes: the command line anyone on the machine
// can read, and the children of a process.
class TProcessTable {
public:
    // The arguments joined with blanks; empty once the process is gone.
    static std::string CommandLineOf(pid_t pid);
    static std::vector<pid_t> ChildrenOf(pid_t parent);
};

}  // namespace cimhttp_test

#endif
