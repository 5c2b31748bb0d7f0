#include "commands/TInstancesCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "output/JsonValue.h"
#include "output/TJsonArrayStream.h"
#include "output/TTable.h"
#include "schema/TInstanceEnumeration.h"

namespace NCimHTTPCli {

TInstancesCommand::TInstancesCommand(const TPluginSession& session, const std::string& className, bool deep, bool raw)
    : fSession(session), fClassName(className), fDeep(deep), fRaw(raw) {}

TJson TInstancesCommand::Run() {
    return {{"class", fClassName}, {"instances", TInstanceEnumeration(fSession).Of(fClassName, fDeep)}};
}

int TInstancesCommand::Write(EFormat format, std::ostream& out) {
    const TInstanceEnumeration enumeration(fSession);
    if (format == eFormatTable) {
        enumeration.Each(fClassName, fDeep, [this, &out](const TJson& instance) { WriteInstance(instance, out); });
        return eExitSuccess;
    }
    TJsonArrayStream json(out, {{"class", fClassName}}, "instances");
    enumeration.Each(fClassName, fDeep, [&json](const TJson& instance) { json.Add(instance); });
    json.Finish();
    return eExitSuccess;
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
