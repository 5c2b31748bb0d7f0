#include "commands/TNamesCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "output/TTable.h"
#include "schema/TInstanceNames.h"

namespace NCimHTTPCli {

TNamesCommand::TNamesCommand(const TPluginSession& session, const std::string& className)
    : fSession(session), fClassName(className) {}

TJson TNamesCommand::Run() { return {{"class", fClassName}, {"names", TInstanceNames(fSession).Of(fClassName)}}; }

void TNamesCommand::WriteText(const TJson& result, std::ostream& out) const {
    TTable table({"NODE", "PATH"});
    for (const TJson& name : result["names"]) {
        table.AddRow({name["node"], name["path"]});
    }
    table.Write(out);
}

}  // namespace NCimHTTPCli
