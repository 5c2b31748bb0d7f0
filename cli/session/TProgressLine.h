#ifndef CIMHTTP_CLI_SESSION_TPROGRESSLINE_H
#define CIMHTTP_CLI_SESSION_TPROGRESSLINE_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include <Pegasus/Client/CIMClient.h>

namespace NCimHTTPCli {

class TPluginSession;

// A line on stderr that follows a long enumeration while it runs, when
// stderr is a terminal: "node 2 of 3: 4.2 MB, 3200 instances received"
// while a node answers, "12000 instances converted" while this program
// turns them into display text and writes them elsewhere. Redrawn at most
// ten times a second and wiped when done, or when the results begin on the
// same terminal; nothing at all when stderr is no terminal or carries the
// plug-in's log lines (--verbose).
class TProgressLine {
public:
    // `what` names the results: "instances", "names".
    TProgressLine(const TPluginSession& session, const std::string& what);
    ~TProgressLine();
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    // Before each result is converted and written: the number done so far.
    void Converted(std::size_t count);

private:
    // A stage that begins is shown at once, its updates ten times a second.
    void Show(const std::string& text, bool stageBegins);
    void Wipe();

    // Stages: none yet, node 1, 2, ..., converting.
    static constexpr std::size_t kNotStarted = 0;
    static constexpr std::size_t kConverting = static_cast<std::size_t>(-1);

    std::string fWhat;
    std::vector<Pegasus::CIMClient*> fClients;
    std::chrono::steady_clock::time_point fLastShown;
    std::size_t fStage;
    bool fShown;
    // False once the results have begun on the terminal the line is on.
    bool fActive;
};

}  // namespace NCimHTTPCli

#endif
