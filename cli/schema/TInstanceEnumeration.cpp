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
std::size_t TInstanceEnumeration::Each(const std::string& className, bool deep,
                                       const TInstanceCallback& callback) const {
    boost::shared_ptr<ICIMClass> cls = fSession.RequireClass(className);
    TPluginLog::Restart();
    const std::size_t count = Enumerate(*cls, deep, callback);
    if (std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages())) {
        if (!count) {
            throw *failure;
        }
        Warn(className + ": some nodes left out: " + failure->OneLine());
    }
    return count;
}

TJson TInstanceEnumeration::Of(const std::string& className, bool deep) const {
    TJson instances = TJson::array();
    Each(className, deep,
         [&instances](const ICIMInstance& instance) { instances.push_back(TInstanceDescription::Describe(instance)); });
    return instances;
}

std::size_t TInstanceEnumeration::Enumerate(ICIMClass& cls, bool deep, const TInstanceCallback& callback) const {
    TProgressLine progress(fSession, "instances");
    std::size_t count = 0;
    try {
        cls.EnumerateInstances(
            [&](boost::shared_ptr<ICIMInstance> instance) {
                progress.Converted(count++);
                callback(*instance);
                return true;
            },
            deep, fSession.CallContext());
    } catch (const TQELException& e) {
        throw TPluginSession::ErrorOf(e);
    }
    return count;
}

}  // namespace NCimHTTPCli
