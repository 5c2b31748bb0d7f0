#include "commands/TInvokeCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "invoke/TMethodArguments.h"
#include "invoke/TMethodCall.h"
#include "invoke/TObjectPathArgument.h"
#include "output/JsonValue.h"
#include "output/TTable.h"
#include "program/Warning.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

TJson OutputsJson(const TCIMContext& outputs) {
    TJson json = TJson::object();
    for (const auto& output : outputs) {
        json[output.first] = JsonOf(output.second);
    }
    return json;
}

}  // namespace

TInvokeCommand::TInvokeCommand(const TPluginSession& session, const std::string& path, const std::string& method,
                               const std::vector<std::string>& arguments)
    : fSession(session), fPath(path), fMethod(method), fArguments(arguments) {}

// The plug-in turns a failed call into the conversion of a null value (0,
// "Success" in most value maps): only its log tells a failure from a result.
TJson TInvokeCommand::Run() {
    const TObjectPathArgument target(fPath, fSession.PrefixesEveryIdentity());
    boost::shared_ptr<ICIMClass> cls = fSession.RequireClass(target.ClassName());
    boost::shared_ptr<ICIMMethodDecl> method = TMethodArguments::FindMethod(cls, fMethod);
    const TCIMContext inputs = TMethodArguments::Inputs(*method, fArguments);
    const TJson node = FirstNode(target);
    TPluginLog::Restart();
    const TMethodResult result =
        TMethodCall(cls, target.Reference(), method->GetName(kNoContext), inputs).Run(fSession.CallContext());
    if (std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages())) {
        throw TCliError(failure->GetStatus(), method->GetName(kNoContext) + " failed: " + failure->what());
    }
    return {{"path", target.Reference().GetPath()},
            {"method", method->GetName(kNoContext)},
            {"node", node},
            {"returnType", method->GetReturnType(kNoContext).GetName()},
            {"returnValue", JsonOf(result.fReturnValue)},
            {"outputs", OutputsJson(result.fOutputs)}};
}

TJson TInvokeCommand::FirstNode(const TObjectPathArgument& target) const {
    const TNode first = fSession.Nodes().front();
    if (!target.NodeKey().empty() && target.NodeKey() != first.fKey) {
        Warn("the instance is from node " + target.NodeKey() + ", but the plug-in runs every method on node " +
             first.fKey + " (" + first.fHost + ")");
    }
    return {{"key", first.fKey}, {"host", first.fHost}};
}

void TInvokeCommand::WriteText(const TJson& result, std::ostream& out) const {
    const TJson& node = result["node"];
    out << result["method"].get<std::string>() << " on " << result["path"].get<std::string>() << ", run on node "
        << node["key"].get<std::string>() << " (" << node["host"].get<std::string>() << ")\n";
    TTable table({"NAME", "VALUE"});
    table.AddRow({"ReturnValue", TextOf(result["returnValue"])});
    for (const auto& output : result["outputs"].items()) {
        table.AddRow({output.key(), TextOf(output.value())});
    }
    table.Write(out);
}

}  // namespace NCimHTTPCli
