#ifndef CIMHTTP_CLI_SCHEMA_TINSTANCEENUMERATION_H
#define CIMHTTP_CLI_SCHEMA_TINSTANCEENUMERATION_H

#include <cstddef>
#include <functional>
#include <string>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>

#include "output/Json.h"

namespace NCimHTTPCli {

class TPluginSession;

// The instances of a class on every node, as the plug-in enumerates them,
// in the plug-in's order.
class TInstanceEnumeration {
public:
    explicit TInstanceEnumeration(const TPluginSession& session);

    typedef std::function<void(const NVORNQEL20::ICIMInstance& instance)> TInstanceCallback;

    // Hands each instance to the callback as it comes; the number of
    // instances. Throws TCliError for a class that cannot be had and when no
    // node gave an instance but one failed; a failed node beside others is a
    // warning.
    std::size_t Each(const std::string& className, bool deep, const TInstanceCallback& callback) const;
    // All of them at once, described by TInstanceDescription.
    TJson Of(const std::string& className, bool deep) const;

private:
    std::size_t Enumerate(NVORNQEL20::ICIMClass& cls, bool deep, const TInstanceCallback& callback) const;

    const TPluginSession& fSession;
};

}  // namespace NCimHTTPCli

#endif
