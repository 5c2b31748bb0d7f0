#ifndef CIMHTTP_CLI_DEMO_TDEMOTOUR_H
#define CIMHTTP_CLI_DEMO_TDEMOTOUR_H

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "output/Json.h"
#include "program/TOptions.h"

namespace NCimHTTPCli {

class ICommand;
class TPluginSession;

// cimhttp demo: a short tour of the commands against the bundled test CIMOM
// with the demo data set, started inside this program and stopped after
// it: one node, display text, a method call, three nodes. Each step shows
// the command line a user would type and what the command prints; a step
// that fails shows its one-line reason and the tour goes on. As JSON: one
// document with every step's command and result (or error).
class TDemoTour {
public:
    TDemoTour(std::ostream& out, EFormat format);

    // Shows every step, and at the end how many failed; false when one did.
    bool Run();

private:
    typedef std::function<std::unique_ptr<ICommand>(const TPluginSession&)> TCommandMaker;

    void OneNode();
    void ThreeNodes();
    // Text for the table format only.
    void Say(const std::string& text);
    void Heading(const std::string& title);
    void Step(const TPluginSession& session, const std::string& arguments, const TCommandMaker& makeCommand);
    void DisplayExamples(const TPluginSession& session);
    std::string DisplayText(const TPluginSession& session, const std::string& className, const std::string& property,
                            const std::string& valueText) const;
    std::string HostArguments() const;

    std::ostream& fOut;
    EFormat fFormat;
    TConnectionOptions fConnection;
    int fStep;
    std::string fTitle;
    TJson fSteps;
    TJson fDisplayExamples;
    std::size_t fFailures;
};

}  // namespace NCimHTTPCli

#endif
