#include "commands/TInstancesCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "output/TJsonArrayStream.h"
#include "program/ExitStatus.h"
#include "output/TTable.h"
#include "schema/TInstanceDescription.h"
#include "schema/TInstanceEnumeration.h"

namespace NCimHTTPCli {

using NVORNQEL20::ICIMInstance;

TInstancesCommand::TInstancesCommand(const TPluginSession& session, const std::string& className, bool deep, bool raw)
    : fSession(session), fClassName(className), fDeep(deep), fRaw(raw) {}

TJson TInstancesCommand::Run() {
    return {{"class", fClassName}, {"instances", TInstanceEnumeration(fSession).Of(fClassName, fDeep)}};
}

int TInstancesCommand::Write(EFormat format, std::ostream& out) {
    const TInstanceEnumeration enumeration(fSession);
    if (format == eFormatTable) {
        enumeration.Each(fClassName, fDeep,
                         [this, &out](const ICIMInstance& instance) { WriteInstance(instance, out); });
        return eExitSuccess;
    }
    TJsonArrayStream json(out, {{"class", fClassName}}, "instances");
    enumeration.Each(fClassName, fDeep,
                     [&json](const ICIMInstance& instance) { json.Add(TInstanceDescription::Describe(instance)); });
    json.Finish();
    return eExitSuccess;
}

void TInstancesCommand::WriteInstance(const ICIMInstance& instance, std::ostream& out) const {
    TInstanceText text = TInstanceDescription::Text(instance, fRaw);
    out << text.fHeading << "\n";
    TTable table(fRaw ? std::vector<std::string>{"PROPERTY", "VALUE", "RAW"}
                      : std::vector<std::string>{"PROPERTY", "VALUE"},
                 "  ");
    for (std::vector<std::string>& row : text.fRows) {
        table.AddRow(std::move(row));
    }
    table.Write(out);
    out << "\n";
}

}  // namespace NCimHTTPCli
