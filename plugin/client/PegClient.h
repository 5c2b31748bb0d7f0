#ifndef CIMHTTP_CLIENT_PEGCLIENT_H
#define CIMHTTP_CLIENT_PEGCLIENT_H

#include <chrono>
#include <string>
#include <vector>

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMParamValue.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/CIMValue.h>

namespace Pegasus {
class CIMClient;
}

namespace NVORNQEL20 {

// One connection to one CIM server. HTTPS is tried before HTTP; every remote
// operation retries a time-out once with twice the time-out and any other
// client failure once after a reconnect, while a CIM error reported by the
// server is final. No client-library exception leaves this class: failures
// are logged through Debug and turn into empty results.
class PegClient {
public:
    enum EState { eNotConnected = 0, eConnectedHTTP = 1, eConnectedHTTPS = 2 };
    // The CIM-XML ports: HTTPS is tried first.
    static const int kHttpsPort = 5989;
    static const int kHttpPort = 5988;

    PegClient();
    ~PegClient();
    PegClient(const PegClient&) = delete;
    PegClient& operator=(const PegClient&) = delete;

    bool HTTPSConnect(const std::string& host, const std::string& user, const std::string& password, int port);
    bool HTTPConnect(const std::string& host, const std::string& user, const std::string& password, int port);
    // HTTPS on 5989, then HTTP on 5988.
    bool Connect(const std::string& host, const std::string& user, const std::string& password);
    // Disconnect, pause, then Connect with the stored host and credentials.
    bool Reconnect();
    void Disconnect();

    Pegasus::CIMClient* GetPegclient();
    int GetState() const;

    // A default-constructed (uninitialised) class on failure.
    Pegasus::CIMClass GetClass(const std::string& nameSpace, const std::string& className, int timeout,
                               bool localOnly, bool includeQualifiers, bool includeClassOrigin,
                               const Pegasus::CIMPropertyList& propertyList);
    // Empty on failure.
    Pegasus::Array<Pegasus::CIMInstance> EnumerateInstances(const std::string& nameSpace,
                                                            const std::string& className, int timeout,
                                                            bool deepInheritance, bool localOnly,
                                                            bool includeQualifiers, bool includeClassOrigin,
                                                            const Pegasus::CIMPropertyList& propertyList);
    // Class names in the server's order; empty on failure.
    std::vector<std::string> EnumerateClassNames(const std::string& nameSpace, const std::string& className,
                                                 bool deepInheritance, int timeout);
    // Instance paths as text, in the server's order; empty on failure.
    std::vector<std::string> EnumerateInstanceNames(const Pegasus::CIMNamespaceName& nameSpace,
                                                    const Pegasus::CIMName& className, int timeout);
    // The method's return value; a null value on failure.
    Pegasus::CIMValue InvokeMethod(const std::string& nameSpace, const Pegasus::CIMObjectPath& objectPath,
                                   const std::string& methodName,
                                   const Pegasus::Array<Pegasus::CIMParamValue>& inParameters,
                                   Pegasus::Array<Pegasus::CIMParamValue>& outParameters, int timeout);

    // The pause Reconnect takes before connecting again (5 seconds); tests
    // shorten it so that the retry paths stay cheap to exercise.
    static void SetReconnectPause(std::chrono::milliseconds pause);
    // Divides the time-out every remote operation is given (1: as given);
    // tests shorten the callers' fixed time-outs the same way.
    static void SetTimeoutDivisor(int divisor);

private:
    // Not connected: the empty result at once. Otherwise the time-out is
    // set, the names are built and the call is made with its retries.
    template <typename Result, typename Names, typename Call>
    Result Run(const char* operation, int timeout, Names buildNames, Call call);
    template <typename Result, typename Call>
    Result CallWithRetry(const char* operation, int timeout, Call call);
    // False, logged, when the client library rejects a name.
    template <typename Names>
    bool BuildNames(const char* operation, Names build);
    template <typename Connector>
    bool ConnectWith(const char* operation, EState connectedState, Connector connector);
    void Remember(const std::string& host, const std::string& user, const std::string& password);

    int fState;
    std::string fHost;
    std::string fUser;
    std::string fPassword;
    Pegasus::CIMClient* fClient;
};

}  // namespace NVORNQEL20

#endif
