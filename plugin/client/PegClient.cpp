#include "client/PegClient.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <thread>

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/Exception.h>
#include <Pegasus/Common/SSLContext.h>

#include "client/Debug.h"

namespace NVORNQEL20 {

namespace {

// Connecting must not be cut short by an operation's time-out left behind.
const Pegasus::Uint32 kConnectTimeoutMs = 65535000;

std::chrono::milliseconds gReconnectPause = std::chrono::seconds(5);
int gTimeoutDivisor = 1;

Pegasus::Uint32 ToClientTimeout(long long milliseconds)
{
    const long long largest = std::numeric_limits<Pegasus::Uint32>::max();
    return static_cast<Pegasus::Uint32>(std::clamp(milliseconds, 0LL, largest));
}

// Builds the client-library form of a namespace name and a CIM name.
auto NamesOf(Pegasus::CIMNamespaceName& ns, Pegasus::CIMName& name, const std::string& nameSpace,
             const std::string& cimName)
{
    return [&ns, &name, &nameSpace, &cimName] {
        ns = Pegasus::CIMNamespaceName(nameSpace.c_str());
        name = Pegasus::CIMName(cimName.c_str());
    };
}

}  // namespace

PegClient::PegClient() : fState(eNotConnected), fClient(new Pegasus::CIMClient()) {}

PegClient::~PegClient()
{
    Disconnect();
    delete fClient;
}

void PegClient::SetReconnectPause(std::chrono::milliseconds pause)
{
    gReconnectPause = pause;
}

void PegClient::SetTimeoutDivisor(int divisor)
{
    gTimeoutDivisor = std::max(1, divisor);
}

Pegasus::CIMClient* PegClient::GetPegclient()
{
    return fClient;
}

int PegClient::GetState() const
{
    return fState;
}

void PegClient::Remember(const std::string& host, const std::string& user, const std::string& password)
{
    fHost = host;
    fUser = user;
    fPassword = password;
}

template <typename Connector>
bool PegClient::ConnectWith(const char* operation, EState connectedState, Connector connector)
{
    fClient->setTimeout(kConnectTimeoutMs);
    try {
        connector();
        fState = connectedState;
        return true;
    } catch (const Pegasus::AlreadyConnectedException& e) {
        Debug("AlreadyConnectedException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
    } catch (const Pegasus::InvalidLocatorException& e) {
        Debug("InvalidLocatorException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
    } catch (const Pegasus::CannotCreateSocketException& e) {
        Debug("CannotCreateSocketException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
    } catch (const Pegasus::CannotConnectException& e) {
        Debug("CannotConnectException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
    } catch (const Pegasus::Exception& e) {
        Debug("Exception in PegClient::%s(): %s", operation, MessageOf(e).c_str());
    }
    return false;
}

bool PegClient::HTTPSConnect(const std::string& host, const std::string& user, const std::string& password,
                             int port)
{
    Remember(host, user, password);
    // An empty trust store and no verification callback: the server's
    // certificate is accepted as it is.
    const Pegasus::SSLContext context("", nullptr, Pegasus::String::EMPTY);
    return ConnectWith("HTTPSConnect", eConnectedHTTPS, [&] {
        fClient->connect(host.c_str(), port, context, user.c_str(), password.c_str());
    });
}

bool PegClient::HTTPConnect(const std::string& host, const std::string& user, const std::string& password,
                            int port)
{
    Remember(host, user, password);
    return ConnectWith("HTTPConnect", eConnectedHTTP, [&] {
        fClient->connect(host.c_str(), port, user.c_str(), password.c_str());
    });
}

bool PegClient::Connect(const std::string& host, const std::string& user, const std::string& password)
{
    return HTTPSConnect(host, user, password, kHttpsPort) || HTTPConnect(host, user, password, kHttpPort);
}

bool PegClient::Reconnect()
{
    Disconnect();
    std::this_thread::sleep_for(gReconnectPause);
    // Connect overwrites the stored strings, so pass copies.
    const std::string host = fHost, user = fUser, password = fPassword;
    return Connect(host, user, password);
}

void PegClient::Disconnect()
{
    if (fState == eNotConnected)
        return;
    fClient->disconnect();
    fState = eNotConnected;
}

template <typename Result, typename Names, typename Call>
Result PegClient::Run(const char* operation, int timeout, Names buildNames, Call call)
{
    if (fState == eNotConnected)
        return Result();
    timeout /= gTimeoutDivisor;
    fClient->setTimeout(ToClientTimeout(timeout));
    if (!BuildNames(operation, buildNames))
        return Result();
    return CallWithRetry<Result>(operation, timeout, call);
}

template <typename Result, typename Call>
Result PegClient::CallWithRetry(const char* operation, int timeout, Call call)
{
    Result result = Result();
    // Computed once: a second time-out never grows beyond twice the first.
    const Pegasus::Uint32 secondTimeout = ToClientTimeout(2LL * timeout);
    int attempts = 0;
    while (attempts <= 1) {
        try {
            result = call();
            break;
        } catch (const Pegasus::ConnectionTimeoutException& e) {
            Debug("ConnectionTimeoutException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
            ++attempts;
            fClient->setTimeout(secondTimeout);
        } catch (const Pegasus::CIMException& e) {
            Debug("CIMException in PegClient::%s(): %s", operation, MessageOf(e).c_str());
            break;
        } catch (const Pegasus::Exception& e) {
            Debug("Exception in PegClient::%s(): %s", operation, MessageOf(e).c_str());
            ++attempts;
            Reconnect();
        }
    }
    return result;
}

template <typename Names>
bool PegClient::BuildNames(const char* operation, Names build)
{
    try {
        build();
        return true;
    } catch (const Pegasus::Exception& e) {
        // The names are built once, before the first attempt: a name the
        // client library rejects lies outside the retry discipline. Nothing
        // is sent, retried or reconnected, and the line says why.
        Debug("Invalid name in PegClient::%s(): %s", operation, MessageOf(e).c_str());
        return false;
    }
}

Pegasus::CIMClass PegClient::GetClass(const std::string& nameSpace, const std::string& className, int timeout,
                                      bool localOnly, bool includeQualifiers, bool includeClassOrigin,
                                      const Pegasus::CIMPropertyList& propertyList)
{
    Pegasus::CIMNamespaceName ns;
    Pegasus::CIMName name;
    return Run<Pegasus::CIMClass>(
        "GetClass", timeout, NamesOf(ns, name, nameSpace, className),
        [&] { return fClient->getClass(ns, name, localOnly, includeQualifiers, includeClassOrigin, propertyList); });
}

Pegasus::Array<Pegasus::CIMInstance> PegClient::EnumerateInstances(const std::string& nameSpace,
                                                                   const std::string& className, int timeout,
                                                                   bool deepInheritance, bool localOnly,
                                                                   bool includeQualifiers, bool includeClassOrigin,
                                                                   const Pegasus::CIMPropertyList& propertyList)
{
    Pegasus::CIMNamespaceName ns;
    Pegasus::CIMName name;
    return Run<Pegasus::Array<Pegasus::CIMInstance>>(
        "EnumerateInstances", timeout, NamesOf(ns, name, nameSpace, className), [&] {
            return fClient->enumerateInstances(ns, name, deepInheritance, localOnly, includeQualifiers,
                                               includeClassOrigin, propertyList);
        });
}

std::vector<std::string> PegClient::EnumerateClassNames(const std::string& nameSpace, const std::string& className,
                                                        bool deepInheritance, int timeout)
{
    Pegasus::CIMNamespaceName ns;
    Pegasus::CIMName name;
    const Pegasus::Array<Pegasus::CIMName> names = Run<Pegasus::Array<Pegasus::CIMName>>(
        "EnumerateClassNames", timeout,
        [&] {
            ns = Pegasus::CIMNamespaceName(nameSpace.c_str());
            // No class name asks for the top-level classes.
            if (!className.empty())
                name = Pegasus::CIMName(className.c_str());
        },
        [&] { return fClient->enumerateClassNames(ns, name, deepInheritance); });
    std::vector<std::string> result;
    result.reserve(names.size());
    for (Pegasus::Uint32 i = 0; i < names.size(); ++i)
        result.emplace_back(names[i].getString().getCString());
    return result;
}

std::vector<std::string> PegClient::EnumerateInstanceNames(const Pegasus::CIMNamespaceName& nameSpace,
                                                           const Pegasus::CIMName& className, int timeout)
{
    const Pegasus::Array<Pegasus::CIMObjectPath> paths = Run<Pegasus::Array<Pegasus::CIMObjectPath>>(
        "EnumerateInstanceNames", timeout, [] {},
        [&] { return fClient->enumerateInstanceNames(nameSpace, className); });
    std::vector<std::string> result;
    result.reserve(paths.size());
    for (Pegasus::Uint32 i = 0; i < paths.size(); ++i)
        result.emplace_back(paths[i].toString().getCString());
    return result;
}

Pegasus::CIMValue PegClient::InvokeMethod(const std::string& nameSpace, const Pegasus::CIMObjectPath& objectPath,
                                          const std::string& methodName,
                                          const Pegasus::Array<Pegasus::CIMParamValue>& inParameters,
                                          Pegasus::Array<Pegasus::CIMParamValue>& outParameters, int timeout)
{
    Pegasus::CIMNamespaceName ns;
    Pegasus::CIMName method;
    return Run<Pegasus::CIMValue>(
        "InvokeMethod", timeout, NamesOf(ns, method, nameSpace, methodName),
        [&] { return fClient->invokeMethod(ns, objectPath, method, inParameters, outParameters); });
}

}  // namespace NVORNQEL20
