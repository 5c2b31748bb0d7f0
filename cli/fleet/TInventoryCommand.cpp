#include "fleet/TInventoryCommand.h"

#include <cstdio>
#include <iostream>

#include <nlohmann/json.hpp>

#include "output/JsonValue.h"
#include "output/TTable.h"

namespace NCimHTTPCli {

TInventoryCommand::TInventoryCommand(const TOptions& options, const std::string& password)
    : fOptions(options), fPassword(password) {}

TJson TInventoryCommand::Run() {
    const std::vector<THostEntry> hosts = THostsFile::Read(fOptions.fHostsFile);
    const std::vector<THostOutcome> outcomes = TFleetRunner(fOptions, fPassword).Run(hosts);
    TJson results = TJson::array();
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        results.push_back(HostResult(hosts[i], outcomes[i]));
    }
    WriteSummary(results, std::cerr);
    return {{"namespace", fOptions.fConnection.fNamespace}, {"classes", fOptions.fClasses}, {"hosts", results}};
}

TJson TInventoryCommand::HostResult(const THostEntry& host, const THostOutcome& outcome) {
    return {{"host", host.fName},
            {"nodes", host.fNodes},
            {"line", host.fLine},
            {"status", ExitStatusName(outcome.fExitStatus)},
            {"exitStatus", outcome.fExitStatus},
            {"error", outcome.fError},
            {"seconds", outcome.fSeconds},
            {"classes", outcome.fClasses ? *outcome.fClasses : TJson(nullptr)}};
}

std::size_t TInventoryCommand::InstanceCount(const TJson& classes) {
    std::size_t count = 0;
    if (classes.is_object()) {
        for (const TJson& entry : classes) {
            count += entry.contains("instances") ? entry["instances"].size() : 0;
        }
    }
    return count;
}

void TInventoryCommand::WriteSummary(const TJson& hosts, std::ostream& out) {
    TTable table({"HOST", "STATUS", "SECONDS", "INSTANCES", "ERROR"});
    for (const TJson& host : hosts) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", host["seconds"].get<double>());
        table.AddRow(
            {host["host"], host["status"], seconds, std::to_string(InstanceCount(host["classes"])), host["error"]});
    }
    table.Write(out);
}

void TInventoryCommand::WriteText(const TJson& result, std::ostream& out) const { WriteJson(result, out); }

int TInventoryCommand::ExitStatusOf(const TJson& result) const {
    for (const TJson& host : result["hosts"]) {
        if (host["exitStatus"].get<int>() != eExitSuccess) {
            return eExitSomeHostsFailed;
        }
    }
    return eExitSuccess;
}

}  // namespace NCimHTTPCli
