#include "session/TPluginLog.h"

#include <qel/TCoreLogger.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

#include "program/TCliError.h"

namespace NCimHTTPCli {

using NVORNQEL20::TRootObject;

void TPluginLog::Restart() { TRootObject::GetCoreLogger()->Clear(); }

namespace {

const int kErrorLevel = 0;

std::vector<std::string> MessagesOf(bool errorsOnly) {
    std::vector<std::string> messages;
    for (const auto& record : TRootObject::GetCoreLogger()->Records()) {
        if (!errorsOnly || record.first == kErrorLevel) {
            messages.push_back(record.second);
        }
    }
    return messages;
}

}  // namespace

std::vector<std::string> TPluginLog::Messages() { return MessagesOf(false); }

std::vector<std::string> TPluginLog::ErrorMessages() { return MessagesOf(true); }

void TPluginLog::WriteToFile(const std::string& path) {
    try {
        TRootObject::GetCoreLogger()->WriteToFile(path);
    } catch (const NVORNQEL20::TQELException&) {
        throw TCliError(eExitUsage, "cannot append to the log file " + path);
    }
}

namespace {

bool gOnStderr = false;

}  // namespace

void TPluginLog::WriteToStderr() {
    TRootObject::GetCoreLogger()->WriteToStderr();
    gOnStderr = true;
}

bool TPluginLog::IsOnStderr() { return gOnStderr; }

}  // namespace NCimHTTPCli
