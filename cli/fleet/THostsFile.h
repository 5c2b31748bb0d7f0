#ifndef CIMHTTP_CLI_FLEET_THOSTSFILE_H
#define CIMHTTP_CLI_FLEET_THOSTSFILE_H

#include <string>
#include <vector>

namespace NCimHTTPCli {

// One system to inventory: its line of the hosts file and its nodes.
struct THostEntry {
    std::string fName;  // the nodes joined with ","
    std::vector<std::string> fNodes;
    unsigned int fLine;
};

// The hosts file of inventory: one system per line; a line may list several
// hosts separated by commas, the nodes of one multi-node system; "#" starts
// a comment; blank lines count for nothing. A system listed twice is
// inventoried once (a warning says which line repeats which).
class THostsFile {
public:
    // Throws TCliError (usage) for a file that cannot be read, a line with an
    // empty host name or a host listed twice on one line.
    static std::vector<THostEntry> Read(const std::string& path);

private:
    static std::vector<std::string> NodesOf(const std::string& line, unsigned int number, const std::string& path);
    static std::string Trimmed(const std::string& text);
};

}  // namespace NCimHTTPCli

#endif
