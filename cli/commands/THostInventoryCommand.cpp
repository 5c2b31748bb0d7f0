#include "commands/THostInventoryCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "output/JsonValue.h"
#include "program/TCliError.h"
#include "schema/TInstanceEnumeration.h"

namespace NCimHTTPCli {

THostInventoryCommand::THostInventoryCommand(const TPluginSession& session, const std::vector<std::string>& classes)
    : fSession(session), fClasses(classes) {}

TJson THostInventoryCommand::Run() {
    TJson classes = TJson::object();
    for (const std::string& className : fClasses) {
        classes[className] = ClassEntry(className);
    }
    return {{"classes", classes}};
}

// A host that does not answer for one class would make every other class
// wait for its time-outs too: that ends the host.
TJson THostInventoryCommand::ClassEntry(const std::string& className) const {
    try {
        return {{"status", ExitStatusName(eExitSuccess)},
                {"instances", TInstanceEnumeration(fSession).Of(className, false)}};
    } catch (const TCliError& e) {
        if (e.GetStatus() == eExitUnreachable || e.GetStatus() == eExitAuthenticationRefused ||
            e.GetStatus() == eExitTimeout) {
            throw;
        }
        return {{"status", ExitStatusName(e.GetStatus())}, {"exitStatus", e.GetStatus()}, {"error", e.what()}};
    }
}

void THostInventoryCommand::WriteText(const TJson& result, std::ostream& out) const { WriteJson(result, out); }

}  // namespace NCimHTTPCli
