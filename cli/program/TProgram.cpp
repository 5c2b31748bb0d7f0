#include "program/TProgram.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include <qel/TQELException.h>

#include "commands/TClassCommand.h"
#include "commands/TClassesCommand.h"
#include "commands/THostInventoryCommand.h"
#include "commands/TInstancesCommand.h"
#include "commands/TInvokeCommand.h"
#include "commands/TNamesCommand.h"
#include "demo/TDemoTour.h"
#include "fleet/TInventoryCommand.h"
#include "output/JsonValue.h"
#include "program/TCliError.h"
#include "program/TCommandLine.h"
#include "program/TPasswordSource.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

namespace {

int Fail(const TCliError& e) {
    std::cout.flush();
    std::cerr << "cimhttp: " << e.OneLine() << std::endl;
    return e.GetStatus();
}

}  // namespace

int TProgram::Run(int argc, char** argv) {
    // Only the standard streams write to stdout: without stdio's bookkeeping
    // on every insertion, a large answer is written a buffer at a time.
    std::ios::sync_with_stdio(false);
    try {
        TOptions options;
        return TCommandLine::Parse(argc, argv, options) ? Execute(options) : eExitSuccess;
    } catch (const TCliError& e) {
        return Fail(e);
    } catch (const NVORNQEL20::TQELException& e) {
        return Fail(TPluginSession::ErrorOf(e));
    } catch (const std::exception& e) {
        return Fail(TCliError(eExitFailure, e.what()));
    }
}

int TProgram::Execute(const TOptions& options) {
    if (options.fCommand == eCommandNone) {
        throw TCliError(eExitUsage, "no command; try `cimhttp demo`, or `cimhttp --help` for the commands");
    }
    SetUpLog(options);
    if (options.fCommand == eCommandDemo) {
        return TDemoTour(std::cout, options.fFormat).Run() ? eExitSuccess : eExitFailure;
    }
    const std::string password = TPasswordSource::Read(options.fConnection);
    if (options.fCommand == eCommandInventory) {
        TInventoryCommand inventory(options, password);
        return Write(inventory, options);
    }
    TPluginSession session(options.fConnection, password);
    std::unique_ptr<ICommand> command = MakeCommand(options, session);
    return Write(*command, options);
}

void TProgram::SetUpLog(const TOptions& options) {
    if (!options.fLogFile.empty()) {
        TPluginLog::WriteToFile(options.fLogFile);
    } else if (options.fVerbose) {
        TPluginLog::WriteToStderr();
    }
}

std::unique_ptr<ICommand> TProgram::MakeCommand(const TOptions& options, const TPluginSession& session) {
    switch (options.fCommand) {
        case eCommandClasses:
            return std::make_unique<TClassesCommand>(session, options.fDeep);
        case eCommandClass:
            return std::make_unique<TClassCommand>(session, options.fTarget);
        case eCommandNames:
            return std::make_unique<TNamesCommand>(session, options.fTarget);
        case eCommandInstances:
            return std::make_unique<TInstancesCommand>(session, options.fTarget, options.fDeep, options.fRaw);
        case eCommandInvoke:
            return std::make_unique<TInvokeCommand>(session, options.fTarget, options.fMethod, options.fArguments);
        case eCommandHostInventory:
            return std::make_unique<THostInventoryCommand>(session, options.fClasses);
        default:
            throw TCliError(eExitUsage, "no such command");
    }
}

int TProgram::Write(ICommand& command, const TOptions& options) {
    const int status = command.Write(options.fFormat, std::cout);
    std::cout.flush();
    return status;
}

}  // namespace NCimHTTPCli
