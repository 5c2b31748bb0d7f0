#include "session/TPluginSession.h"

#include <dlfcn.h>

#include <boost/pointer_cast.hpp>

#include <qel/TVORNCNamespace.h>

#include "client/PegClient.h"
#include "namespace/TCimHTTPNamespace.h"
#include "program/Warning.h"
#include "session/TConnector.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

TCIMContext TimeoutContext(const TConnectionOptions& options) {
    TCIMContext context;
    if (options.fClassTimeoutMs) {
        context["GCTimeout"] = TCIMValue(options.fClassTimeoutMs);
    }
    if (options.fInstancesTimeoutMs) {
        context["EITimeout"] = TCIMValue(options.fInstancesTimeoutMs);
    }
    return context;
}

EExitStatus ExitStatusOf(const TQELException& e) {
    switch (e.GetStatusCode().GetCode()) {
        case TQELStatusCode::eInvalidName:
            return eExitInvalidName;
        case TQELStatusCode::eTypeMismatch:
        case TQELStatusCode::eInvalidValue:
            return eExitBadParameter;
        case TQELStatusCode::eNotFound:
            return eExitNotFound;
        default:
            return eExitFailure;
    }
}

}  // namespace

const char* const TPluginSession::kPluginName = "cimhttp";

TPluginSession::TPluginSession(const TConnectionOptions& options, const std::string& password)
    : fOptions(options), fCallContext(TimeoutContext(options)) {
    TPluginLog::Restart();
    try {
        fSession.reset(new TProviderSession(SessionOptions(), TConnector(options, password)));
    } catch (const TQELException& e) {
        throw ErrorOf(e);
    }
    CheckConnection();
}

TPluginSession::~TPluginSession() = default;

TProviderSession::TOptions TPluginSession::SessionOptions() const {
    TProviderSession::TOptions session;
    session.fLibraryPath = PluginLibraryPath();
    session.fProviderName = "cimhttp";
    session.fNamespaceName = fOptions.fNamespace;
    session.fContext = fCallContext;
    session.fContext["pluginNameQualDeclValue"] = TCIMValue(kPluginName);
    return session;
}

// The first node serves every class look-up, so without it nothing works;
// any other node costs only its own instances.
void TPluginSession::CheckConnection() const {
    const std::vector<std::string> messages = TPluginLog::Messages();
    const std::vector<TNode> nodes = Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].fClient->GetState() != PegClient::eNotConnected) {
            continue;
        }
        if (i == 0) {
            auto failure = TLoggedFailure::Find(messages);
            throw TCliError(eExitUnreachable,
                            nodes[i].fHost + ": " + (failure ? failure->what() : std::string("no connection")));
        }
        Warn("node " + nodes[i].fKey + " (" + nodes[i].fHost + ") is unreachable; going on without it");
    }
    if (auto failure = TLoggedFailure::FindConnectionFailure(messages)) {
        throw *failure;
    }
}

boost::shared_ptr<ICIMNamespace> TPluginSession::Top() const { return fSession->GetUpcallNamespace(); }

TCimHTTPNamespace& TPluginSession::Remote() const {
    return *boost::dynamic_pointer_cast<TCimHTTPNamespace>(fSession->GetNamespace());
}

std::vector<TNode> TPluginSession::Nodes() const {
    std::vector<TNode> nodes;
    for (const TCimHTTPNamespace::TNodeClients& node : Remote().getPegClientVec()) {
        const std::size_t index = nodes.size();
        const std::string host = index < fOptions.fHosts.size() ? fOptions.fHosts[index] : std::string();
        nodes.push_back(TNode{node.begin()->first, host, node.begin()->second});
    }
    return nodes;
}

bool TPluginSession::PrefixesEveryIdentity() const {
    return Nodes().size() > 1 || fOptions.fNamespace.find("tarn") != std::string::npos;
}

boost::shared_ptr<ICIMClass> TPluginSession::RequireClass(const std::string& name) const {
    if (name.empty()) {
        throw TCliError(eExitInvalidName, "an empty class name");
    }
    TPluginLog::Restart();
    boost::shared_ptr<ICIMClass> cls;
    try {
        cls = Top()->GetClass(name, fCallContext);
    } catch (const TQELException& e) {
        throw ErrorOf(e);
    }
    if (!cls) {
        ThrowIfANodeIsDown(name);
        throw LoggedFailureOr(TCliError(eExitNotFound, "no class " + name + " in " + fOptions.fNamespace));
    }
    return cls;
}

// The plug-in reads a class from every node: one that is down leaves no class.
void TPluginSession::ThrowIfANodeIsDown(const std::string& className) const {
    for (const TNode& node : Nodes()) {
        if (node.fClient->GetState() == PegClient::eNotConnected) {
            throw TCliError(eExitUnreachable, className + " cannot be loaded: node " + node.fKey + " (" + node.fHost +
                                                  ") is unreachable, and the plug-in reads a class from every node");
        }
    }
}

TCliError TPluginSession::LoggedFailureOr(const TCliError& fallback) {
    std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages());
    return failure ? *failure : fallback;
}

TCliError TPluginSession::ErrorOf(const TQELException& e) {
    const std::vector<std::string> errors = TPluginLog::ErrorMessages();
    const std::string status = " (status " + std::to_string(e.GetStatusCode().GetCode()) + ")";
    const std::string detail = e.GetDetail().empty() ? std::string() : ": " + e.GetDetail();
    return TCliError(ExitStatusOf(e), (errors.empty() ? e.what() + detail : errors.back()) + status);
}

std::string TPluginSession::PluginLibraryPath() {
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&TCimHTTPNamespace::NormalizeName), &info) || !info.dli_fname) {
        throw TCliError(eExitFailure, "cannot tell where libcimhttp.nsp.so was loaded from");
    }
    return info.dli_fname;
}

}  // namespace NCimHTTPCli
