#include "fleet/THostsFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>

#include "program/TCliError.h"
#include "program/Warning.h"

namespace NCimHTTPCli {

namespace {

std::string Joined(const std::vector<std::string>& nodes) {
    std::string joined;
    for (const std::string& node : nodes) {
        joined += (joined.empty() ? "" : ",") + node;
    }
    return joined;
}

// Host names are names in DNS, where letter case does not count.
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string WithoutComment(const std::string& line) { return line.substr(0, line.find('#')); }

}  // namespace

std::string THostsFile::Trimmed(const std::string& text) {
    const char* const blanks = " \t\r";
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> THostsFile::NodesOf(const std::string& line, unsigned int number, const std::string& path) {
    std::vector<std::string> nodes;
    std::size_t start = 0;
    for (std::size_t comma = line.find(','); start <= line.size(); comma = line.find(',', start)) {
        const std::string node = Trimmed(line.substr(start, comma == std::string::npos ? comma : comma - start));
        const std::string where = path + " line " + std::to_string(number);
        if (node.empty()) {
            throw TCliError(eExitUsage, where + ": an empty host name");
        }
        if (std::find(nodes.begin(), nodes.end(), node) != nodes.end()) {
            throw TCliError(eExitUsage, where + ": " + node + " is listed twice as a node of one system");
        }
        nodes.push_back(node);
        start = comma == std::string::npos ? line.size() + 1 : comma + 1;
    }
    return nodes;
}

std::vector<THostEntry> THostsFile::Read(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw TCliError(eExitUsage, "cannot read the hosts file " + path);
    }
    std::vector<THostEntry> entries;
    std::map<std::string, unsigned int> firstLineOf;
    std::string line;
    for (unsigned int number = 1; std::getline(file, line); ++number) {
        const std::string content = Trimmed(WithoutComment(line));
        if (content.empty()) {
            continue;
        }
        const std::vector<std::string> nodes = NodesOf(content, number, path);
        const std::string name = Joined(nodes);
        auto first = firstLineOf.emplace(Lower(name), number);
        if (!first.second) {
            Warn(path + " line " + std::to_string(number) + ": " + name + " repeats line " +
                 std::to_string(first.first->second) + ", left out");
            continue;
        }
        entries.push_back(THostEntry{name, nodes, number});
    }
    return entries;
}

}  // namespace NCimHTTPCli
