#include "commands/TInstancesCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include <qel/TQELException.h>

#include "output/JsonValue.h"
#include "output/TTable.h"
#include "program/Warning.h"
#include "schema/TInstanceDescription.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

TInstancesCommand::TInstancesCommand(const TPluginSession& session, const std::string& className, bool deep, bool raw)
    : fSession(session), fClassName(className), fDeep(deep), fRaw(raw) {}

TJson TInstancesCommand::Run() { return {{"class", fClassName}, {"instances", Instances()}}; }

// The plug-in leaves a node that fails out of the enumeration: with no
// instance at all that failure is the answer, otherwise a warning.
TJson TInstancesCommand::Instances() {
    boost::shared_ptr<ICIMClass> cls = fSession.RequireClass(fClassName);
    TPluginLog::Restart();
    TJson instances = TJson::array();
    try {
        cls->EnumerateInstances(
            [&instances](boost::shared_ptr<ICIMInstance> instance) {
                instances.push_back(TInstanceDescription::Describe(*instance));
                return true;
            },
            fDeep, fSession.CallContext());
    } catch (const TQELException& e) {
        throw TPluginSession::ErrorOf(e);
    }
    if (std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages())) {
        if (instances.empty()) {
            throw *failure;
        }
        Warn("some nodes left out: " + failure->OneLine());
    }
    return instances;
}

void TInstancesCommand::WriteText(const TJson& result, std::ostream& out) const {
    for (const TJson& instance : result["instances"]) {
        WriteInstance(instance, out);
    }
}

void TInstancesCommand::WriteInstance(const TJson& instance, std::ostream& out) const {
    out << instance["path"].get<std::string>();
    if (!instance["node"].is_null()) {
        out << "  (node " << TextOf(instance["node"]) << ")";
    }
    out << "\n";
    TTable table(fRaw ? std::vector<std::string>{"PROPERTY", "VALUE", "RAW"}
                      : std::vector<std::string>{"PROPERTY", "VALUE"},
                 "  ");
    for (const TJson& property : instance["properties"]) {
        table.AddRow({TextOf(property["name"]), TextOf(property["display"]), TextOf(property["value"])});
    }
    table.Write(out);
    out << "\n";
}

}  // namespace NCimHTTPCli
