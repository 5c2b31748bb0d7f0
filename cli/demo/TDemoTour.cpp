#include "demo/TDemoTour.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include <qel/ICIMPropertyDecl.h>
#include <qel/TQELException.h>

#include "commands/TClassCommand.h"
#include "commands/TClassesCommand.h"
#include "commands/TInstancesCommand.h"
#include "commands/TInvokeCommand.h"
#include "commands/TNamesCommand.h"
#include "demo/TDemoCimom.h"
#include "instance/TCimHTTPProperty.h"
#include "output/JsonValue.h"
#include "output/TypedValue.h"
#include "schema/ClassLineage.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

// Where in this process's loopback block the one-node and the three-node
// CIMOMs look for free addresses.
const int kOneNodeFirstAddress = 0;
const int kThreeNodesFirstAddress = 3;

}  // namespace

TDemoTour::TDemoTour(std::ostream& out, EFormat format)
    : fOut(out), fFormat(format), fStep(0), fSteps(TJson::array()), fDisplayExamples(TJson::array()), fFailures(0) {}

bool TDemoTour::Run() {
    Say("cimhttp demo: the plug-in libcimhttp.nsp.so, loaded as its host loads it, against the bundled\n"
        "test CIMOM (demo data set), which runs inside this program for the tour.\n");
    OneNode();
    ThreeNodes();
    const std::size_t commands = fSteps.size();
    Say("\nThe test CIMOMs have stopped; " + std::to_string(commands - fFailures) + " of " + std::to_string(commands) +
        " commands ran. Against a CIMOM of your own: cimhttp --host HOST --user USER classes\n");
    if (fFormat == eFormatJson) {
        WriteJson(TJson{{"steps", fSteps}, {"displayExamples", fDisplayExamples}, {"failedSteps", fFailures}}, fOut);
    }
    return fFailures == 0;
}

void TDemoTour::Say(const std::string& text) {
    if (fFormat == eFormatTable) {
        fOut << text;
    }
}

std::string TDemoTour::HostArguments() const {
    std::string arguments;
    for (const std::string& host : fConnection.fHosts) {
        arguments += "--host " + host + " ";
    }
    return arguments;
}

void TDemoTour::Heading(const std::string& title) {
    fTitle = title;
    Say("\n== " + std::to_string(++fStep) + ". " + title + " ==\n");
}

void TDemoTour::Step(const TPluginSession& session, const std::string& arguments, const TCommandMaker& makeCommand) {
    const std::string commandLine = "cimhttp " + HostArguments() + arguments;
    Say("\n$ " + commandLine + "\n");
    TJson step = {{"step", fStep}, {"title", fTitle}, {"command", commandLine}};
    try {
        std::unique_ptr<ICommand> command = makeCommand(session);
        if (fFormat == eFormatTable) {
            command->Write(eFormatTable, fOut);
        } else {
            step["result"] = command->Run();
        }
    } catch (const TCliError& e) {
        Say("cimhttp: " + e.OneLine() + "\n");
        step["error"] = e.OneLine();
        ++fFailures;
    }
    fSteps.push_back(step);
}

void TDemoTour::OneNode() {
    TDemoCimom cimom(1, kOneNodeFirstAddress);
    fConnection.fHosts = cimom.Addresses();
    Say("\nOne node: the test CIMOM listens on " + fConnection.fHosts.front() + " (HTTPS 5989, HTTP 5988).\n");
    TPluginSession session(fConnection, "");
    Heading("The class tree, from the top");
    Step(session, "classes --deep", [](const TPluginSession& s) { return std::make_unique<TClassesCommand>(s, true); });
    Heading("A class: superclasses, qualifiers, properties, methods");
    Step(session, "class VORN_MethodTest",
         [](const TPluginSession& s) { return std::make_unique<TClassCommand>(s, "VORN_MethodTest"); });
    Heading("Instance paths");
    Step(session, "names VORN_Memory",
         [](const TPluginSession& s) { return std::make_unique<TNamesCommand>(s, "VORN_Memory"); });
    Heading("Display text, steered by qualifiers");
    Step(session, "instances VORN_Memory --raw",
         [](const TPluginSession& s) { return std::make_unique<TInstancesCommand>(s, "VORN_Memory", false, true); });
    DisplayExamples(session);
    Heading("A method call");
    Step(session, "invoke VORN_MethodTest EchoScalars InString=hello InUint32=42", [](const TPluginSession& s) {
        return std::make_unique<TInvokeCommand>(s, "VORN_MethodTest", "EchoScalars",
                                                std::vector<std::string>{"InString=hello", "InUint32=42"});
    });
}

void TDemoTour::ThreeNodes() {
    TDemoCimom cimom(3, kThreeNodesFirstAddress);
    fConnection.fHosts = cimom.Addresses();
    const std::string hosts = HostArguments();
    Say("\nThree nodes of one system: a test CIMOM on each of " + hosts.substr(0, hosts.size() - 1) + "\n");
    TPluginSession session(fConnection, "");
    Heading("Instance paths on every node");
    Step(session, "names VORN_ComputerSystem",
         [](const TPluginSession& s) { return std::make_unique<TNamesCommand>(s, "VORN_ComputerSystem"); });
    Heading("Instances of every node: \"Node1:\", \"Node2:\", \"Node3:\" in InstanceID, NodeID per instance");
    Step(session, "instances VORN_ComputerSystem", [](const TPluginSession& s) {
        return std::make_unique<TInstancesCommand>(s, "VORN_ComputerSystem", false, false);
    });
}

void TDemoTour::DisplayExamples(const TPluginSession& session) {
    Say("\nThe display rules on values of three declared properties:\n");
    const std::vector<std::vector<std::string>> examples = {
        {"VORN_Memory", "Capacity", "16777216", "Units KiloBytes"},
        {"VORN_ComputerSystem", "LastBootDuration", "95500", "Units MilliSeconds"},
        {"VORN_ComputerSystem", "HealthState", "20", "ValueMap and Values"}};
    for (const std::vector<std::string>& example : examples) {
        const std::string display = DisplayText(session, example[0], example[1], example[2]);
        Say("  " + example[0] + "." + example[1] + " = " + example[2] + " (" + example[3] + ") shows as \"" + display +
            "\"\n");
        fDisplayExamples.push_back({{"class", example[0]},
                                    {"property", example[1]},
                                    {"value", example[2]},
                                    {"rule", example[3]},
                                    {"display", display}});
    }
}

// The plug-in's property value on the nearest declaration of the property.
std::string TDemoTour::DisplayText(const TPluginSession& session, const std::string& className,
                                   const std::string& property, const std::string& valueText) const {
    try {
        for (const boost::shared_ptr<ICIMClass>& cls : ClassLineage(session.RequireClass(className))) {
            try {
                boost::shared_ptr<ICIMPropertyDecl> declaration = cls->GetPropertyDecl(property, TCIMContext());
                const TCIMValue value = TypedValue(declaration->GetType(TCIMContext()), valueText, property);
                return TCimHTTPProperty(declaration, value).ToString();
            } catch (const TQELException&) {
                // Not declared by this class: ask its superclass.
            }
        }
    } catch (const TCliError& e) {
        return e.OneLine();
    }
    return "(no such property)";
}

}  // namespace NCimHTTPCli
