#include "schema/TInstanceEnumeration.h"

#include <nlohmann/json.hpp>

#include <qel/TQELException.h>

#include "program/Warning.h"
#include "schema/TInstanceDescription.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"
#include "session/TProgressLine.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

TInstanceEnumeration::TInstanceEnumeration(const TPluginSession& session) : fSession(session) {}

// The plug-in leaves a node that fails out of the enumeration: with no
// instance at all that failure is the answer, otherwise a warning.
TJson TInstanceEnumeration::Of(const std::string& className, bool deep) const {
    boost::shared_ptr<ICIMClass> cls = fSession.RequireClass(className);
    TPluginLog::Restart();
    TJson instances = Enumerate(*cls, deep);
    if (std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages())) {
        if (instances.empty()) {
            throw *failure;
        }
        Warn(className + ": some nodes left out: " + failure->OneLine());
    }
    return instances;
}

TJson TInstanceEnumeration::Enumerate(ICIMClass& cls, bool deep) const {
    TProgressLine progress(fSession, "instances");
    TJson instances = TJson::array();
    try {
        cls.EnumerateInstances(
            [&instances, &progress](boost::shared_ptr<ICIMInstance> instance) {
                instances.push_back(TInstanceDescription::Describe(*instance));
                progress.Converted(instances.size());
                return true;
            },
            deep, fSession.CallContext());
    } catch (const TQELException& e) {
        throw TPluginSession::ErrorOf(e);
    }
    return instances;
}

}  // namespace NCimHTTPCli
