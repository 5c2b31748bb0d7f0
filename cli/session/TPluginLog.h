#ifndef CIMHTTP_CLI_SESSION_TPLUGINLOG_H
#define CIMHTTP_CLI_SESSION_TPLUGINLOG_H

#include <string>
#include <vector>

namespace NCimHTTPCli {

// What the plug-in wrote to the host's core logger since the last Restart:
// the plug-in returns empty results on failure and says why only there.
class TPluginLog {
public:
    // Forgets what was logged so far (the file or stderr keeps it).
    static void Restart();
    static std::vector<std::string> Messages();
    // Only the error lines (level 0): rejected names, type errors.
    static std::vector<std::string> ErrorMessages();
    // Where the lines go besides memory: a file (appended) or stderr.
    static void WriteToFile(const std::string& path);
    static void WriteToStderr();
    static bool IsOnStderr();
};

}  // namespace NCimHTTPCli

#endif
