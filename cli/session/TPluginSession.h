#ifndef CIMHTTP_CLI_SESSION_TPLUGINSESSION_H
#define CIMHTTP_CLI_SESSION_TPLUGINSESSION_H

#include <memory>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMNamespace.h>
#include <qel/TCIMContext.h>
#include <qel/TProviderSession.h>
#include <qel/TQELException.h>

#include "program/TCliError.h"
#include "program/TOptions.h"

namespace NVORNQEL20 {
class PegClient;
class TCimHTTPNamespace;
}  // namespace NVORNQEL20

namespace NCimHTTPCli {

// One node of the connected system: its node key (controller index + 1),
// the host it was given and its client.
struct TNode {
    std::string fKey;
    std::string fHost;
    NVORNQEL20::PegClient* fClient;
};

// The plug-in's namespace as the host serves it: libcimhttp.nsp.so loaded
// through the host's provider manager (TProviderSession), the namespace
// allocated with the plug-in name value and the time-outs, layered under
// the host's union namespace and connected by TConnector. A first node that
// did not connect, a refused password or a server that does not answer end
// the construction with the matching TCliError.
class TPluginSession {
public:
    // The plug-in name value, the PLUGINNAME qualifier of every class.
    static const char* const kPluginName;

    TPluginSession(const TConnectionOptions& options, const std::string& password);
    ~TPluginSession();

    // The top of the host's layering, which the host asks for classes.
    boost::shared_ptr<NVORNQEL20::ICIMNamespace> Top() const;
    NVORNQEL20::TCimHTTPNamespace& Remote() const;
    // What every host call passes: the time-outs.
    const NVORNQEL20::TCIMContext& CallContext() const { return fCallContext; }
    const std::string& NamespaceName() const { return fOptions.fNamespace; }
    std::vector<TNode> Nodes() const;
    // Whether the plug-in writes "Node<key>:" in front of every InstanceID
    // value: on a multi-node system and in a management controller's
    // namespace ("tarn" in its name).
    bool PrefixesEveryIdentity() const;

    // The class, or the failure the plug-in logged while looking for it; a
    // node that is down leaves none (unreachable).
    boost::shared_ptr<NVORNQEL20::ICIMClass> RequireClass(const std::string& name) const;
    // What the plug-in logged since the last TPluginLog::Restart, as a
    // failure; the fallback when it logged none.
    static TCliError LoggedFailureOr(const TCliError& fallback);
    // A status the plug-in threw, with the error line it logged as reason.
    static TCliError ErrorOf(const NVORNQEL20::TQELException& e);

    // libcimhttp.nsp.so as this program has it loaded.
    static std::string PluginLibraryPath();

private:
    NVORNQEL20::TProviderSession::TOptions SessionOptions() const;
    void CheckConnection() const;
    void ThrowIfANodeIsDown(const std::string& className) const;

    TConnectionOptions fOptions;
    NVORNQEL20::TCIMContext fCallContext;
    std::unique_ptr<NVORNQEL20::TProviderSession> fSession;
};

}  // namespace NCimHTTPCli

#endif
