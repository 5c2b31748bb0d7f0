#ifndef CIMHTTP_CLI_DEMO_TDEMOTOUR_H
#define CIMHTTP_CLI_DEMO_TDEMOTOUR_H

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "program/TOptions.h"

namespace NCimHTTPCli {

class ICommand;
class TPluginSession;

// cimhttp demo: a short tour of the commands against the bundled test CIMOM
// with the demo data set, started inside this program and stopped after
// it: one node, display text, three nodes, a method call. Each step shows
// the command line a user would type and what the command prints; a step
// that fails shows its one-line reason and the tour goes on.
class TDemoTour {
public:
    explicit TDemoTour(std::ostream& out);

    // Shows every step, and at the end how many failed.
    void Run();

private:
    typedef std::function<std::unique_ptr<ICommand>(const TPluginSession&)> TCommandMaker;

    void OneNode();
    void ThreeNodes();
    void Heading(const std::string& title);
    void Step(const TPluginSession& session, const std::string& arguments, const TCommandMaker& makeCommand);
    void DisplayExamples(const TPluginSession& session);
    std::string DisplayText(const TPluginSession& session, const std::string& className, const std::string& property,
                            const std::string& valueText) const;
    std::string HostArguments() const;

    std::ostream& fOut;
    TConnectionOptions fConnection;
    int fStep;
    int fCommands;
    int fFailures;
};

}  // namespace NCimHTTPCli

#endif
