#pragma once
// One test CIMOM: CIM-XML over HTTP and HTTPS on an address of its own, a
// repository, method handlers, faults to inject, request counters and a log
// of the requests as sent.
//
//   testcimom::ServerOptions options;
//   options.httpPort = options.httpsPort = 0;   // ephemeral ports
//   testcimom::CimServer server(options);
//   server.start();                             // loads the data set, listens
//   server.faults().add({FaultKind::Delay, "GetClass", "all", 1, 3s});
//   ... server.counters().requests("GetClass") ...
//   ... server.requestLog().of("GetClass").back().flag("LocalOnly") ...

#include "testcimom/Certificate.h"
#include "testcimom/DataSet.h"
#include "testcimom/FaultPlan.h"
#include "testcimom/MethodProviders.h"
#include "testcimom/Repository.h"
#include "testcimom/RequestCounters.h"
#include "testcimom/RequestLog.h"

#include <memory>
#include <string>

namespace testcimom {

struct ServerOptions {
    std::string address = "127.0.0.1";
    int httpPort = 5988;   // 0: ephemeral
    int httpsPort = 5989;  // 0: ephemeral
    bool enableHttp = true;
    bool enableHttps = true;
    bool plainHttpOnHttpsPort = false;
    CertificateKind certificate = CertificateKind::SelfSigned;
    std::string certificateFile;  // with privateKeyFile: use these instead of a generated certificate
    std::string privateKeyFile;
    std::string user;             // empty: no authentication
    std::string password;
    DataSetOptions dataSet;
};

class CimServer {
public:
    explicit CimServer(ServerOptions options = {});
    ~CimServer();
    CimServer(const CimServer&) = delete;
    CimServer& operator=(const CimServer&) = delete;

    // Loads the data set (first start only) and listens. Throws
    // std::runtime_error when a port cannot be bound.
    void start();
    // Closes the listeners and every connection; start() may follow.
    void stop();
    bool running() const;

    const std::string& address() const { return options_.address; }
    int httpPort() const;   // the bound port; -1 when HTTP is off or stopped
    int httpsPort() const;
    std::string httpUrl() const;   // "http://127.0.0.1:5988"
    std::string httpsUrl() const;  // "https://127.0.0.1:5989"

    Repository& repository() { return repository_; }
    MethodProviders& methods() { return methods_; }
    FaultPlan& faults() { return faults_; }
    RequestCounters& counters() { return counters_; }
    RequestLog& requestLog() { return requestLog_; }

private:
    ServerOptions options_;
    Repository repository_;
    MethodProviders methods_;
    FaultPlan faults_;
    RequestCounters counters_;
    RequestLog requestLog_;
    bool loaded_ = false;
    struct Running;
    std::unique_ptr<Running> running_;
};

}  // namespace testcimom
