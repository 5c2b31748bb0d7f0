#include "Captures.h"

#include "ReadFile.h"
#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <strings.h>

namespace Captures
{
namespace
{
const std::string REQUEST_SUFFIX = ".request.txt";
const std::string RESPONSE_SUFFIX = ".response.txt";
const std::string TRUNCATED_SUFFIX = ".response.truncated.txt";
const std::string TRUNCATION_MARK = "\n[... TRUNCATED";

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
}

std::string directory()
{
    return CIMHTTP_CIMXML_DIR;
}

std::vector<std::string> names(const std::string& prefix)
{
    std::vector<std::string> result;
    DIR* dir = ::opendir(directory().c_str());
    if (!dir)
        throw std::runtime_error("no capture directory " + directory());
    while (dirent* entry = ::readdir(dir))
    {
        const std::string file = entry->d_name;
        if (file.compare(0, prefix.size(), prefix) == 0 && endsWith(file, REQUEST_SUFFIX))
            result.push_back(file.substr(0, file.size() - REQUEST_SUFFIX.size()));
    }
    ::closedir(dir);
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<std::string> completeNames(const std::string& prefix)
{
    std::vector<std::string> result = names(prefix);
    result.erase(std::remove_if(result.begin(), result.end(), isTruncated), result.end());
    return result;
}

std::string request(const std::string& name)
{
    return readFile(directory() + "/" + name + REQUEST_SUFFIX);
}

bool isTruncated(const std::string& name)
{
    return std::ifstream(directory() + "/" + name + TRUNCATED_SUFFIX).good();
}

std::string response(const std::string& name)
{
    if (!isTruncated(name))
        return readFile(directory() + "/" + name + RESPONSE_SUFFIX);
    const std::string text = readFile(directory() + "/" + name + TRUNCATED_SUFFIX);
    return text.substr(0, text.find(TRUNCATION_MARK));
}

Exchange exchange(const std::string& name)
{
    return Exchange{name, request(name), response(name)};
}

std::string bodyOf(const std::string& message)
{
    const size_t end = message.find("\r\n\r\n");
    if (end == std::string::npos)
        return std::string();
    const std::optional<std::string> length = headerOf(message, "Content-Length");
    return message.substr(end + 4, length ? std::stoul(*length) : std::string::npos);
}

std::optional<std::string> headerOf(const std::string& message, const std::string& name)
{
    const std::string head = message.substr(0, message.find("\r\n\r\n"));
    std::istringstream lines(head);
    std::string line;
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t colon = line.find(':');
        if (colon == name.size() && ::strncasecmp(line.c_str(), name.c_str(), name.size()) == 0)
            return line.substr(line.find_first_not_of(' ', colon + 1));
    }
    return std::nullopt;
}

std::vector<std::string> messages(const std::string& text)
{
    std::vector<std::string> result;
    size_t begin = 0;
    while (begin < text.size())
    {
        const std::string rest = text.substr(begin);
        const size_t headEnd = rest.find("\r\n\r\n");
        const std::optional<std::string> length = headerOf(rest, "Content-Length");
        if (headEnd == std::string::npos || !length)
        {
            result.push_back(rest);
            break;
        }
        const size_t size = headEnd + 4 + std::stoul(*length);
        result.push_back(rest.substr(0, size));
        begin += size;
    }
    return result;
}

namespace
{
// The number that follows the first occurrence of the marker, if any.
std::optional<int> numberAfter(const std::string& text, const std::string& marker)
{
    const size_t at = text.find(marker);
    if (at == std::string::npos)
        return std::nullopt;
    return std::stoi(text.substr(at + marker.size()));
}
}

Outcome expectedOutcome(const std::string& name)
{
    const std::string bytes = response(name);
    const int status = std::stoi(bytes.substr(9, 3));
    if (status != 200)
        return Outcome{Outcome::HttpError, status};
    if (isTruncated(name))
        return Outcome{Outcome::Truncated, 0};
    if (const std::optional<int> trailer = numberAfter(bytes, "\r\nCIMStatusCode: "))
        return Outcome{Outcome::CimError, *trailer};
    if (const std::optional<int> error = numberAfter(bytes, "<ERROR CODE=\""))
        return Outcome{Outcome::CimError, *error};
    return Outcome{};
}
}
