#ifndef CIMHTTP_CLI_FLEET_TINVENTORYCOMMAND_H
#define CIMHTTP_CLI_FLEET_TINVENTORYCOMMAND_H

#include <string>
#include <vector>

#include "commands/TResultCommand.h"
#include "fleet/TFleetRunner.h"
#include "program/TOptions.h"

namespace NCimHTTPCli {

// inventory --hosts-file FILE CLASS...: every host of the file inventoried
// for the classes, each in a process of its own; one JSON document (per
// host: status, error text, and per class what the host gave) and a summary
// table on stderr. One unreachable or slow host never stops the others.
class TInventoryCommand : public TResultCommand {
public:
    TInventoryCommand(const TOptions& options, const std::string& password);

    TJson Run() override;
    // The document is JSON whatever the format.
    void WriteText(const TJson& result, std::ostream& out) const override;
    // Some hosts failed: eExitSomeHostsFailed.
    int ExitStatusOf(const TJson& result) const override;

private:
    static TJson HostResult(const THostEntry& host, const THostOutcome& outcome);
    static std::size_t InstanceCount(const TJson& classes);
    static void WriteSummary(const TJson& hosts, std::ostream& out);

    TOptions fOptions;
    std::string fPassword;
};

}  // namespace NCimHTTPCli

#endif
