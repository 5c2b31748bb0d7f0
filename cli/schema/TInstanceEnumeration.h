#ifndef CIMHTTP_CLI_SCHEMA_TINSTANCEENUMERATION_H
#define CIMHTTP_CLI_SCHEMA_TINSTANCEENUMERATION_H

#include <string>

#include <qel/ICIMClass.h>

#include "output/Json.h"

namespace NCimHTTPCli {

class TPluginSession;

// The instances of a class on every node, as the plug-in enumerates them,
// each described by TInstanceDescription, in the plug-in's order.
class TInstanceEnumeration {
public:
    explicit TInstanceEnumeration(const TPluginSession& session);

    // Throws TCliError for a class that cannot be had and when no node gave
    // an instance but one failed; a failed node beside others is a warning.
    TJson Of(const std::string& className, bool deep) const;

private:
    TJson Enumerate(NVORNQEL20::ICIMClass& cls, bool deep) const;

    const TPluginSession& fSession;
};

}  // namespace NCimHTTPCli

#endif
