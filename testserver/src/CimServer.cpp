#include "testcimom/CimServer.h"

#include "CimomEngine.h"
#include "HttpTransport.h"

namespace testcimom {

struct CimServer::Running {
    Running(CimServer& server, TransportOptions transportOptions)
        : engine(server.repository_, server.methods_, server.faults_, server.counters_, server.requestLog_,
                 Credentials{server.options_.user, server.options_.password}),
          transport(std::move(transportOptions), engine)
    {
    }

    CimomEngine engine;
    HttpTransport transport;
};

namespace {

CertificatePem certificateFor(const ServerOptions& options)
{
    if (!options.certificateFile.empty())
        return CertificatePem::fromFiles(options.certificateFile, options.privateKeyFile);
    return CertificatePem::generated(options.certificate);
}

TransportOptions transportOptions(const ServerOptions& options)
{
    TransportOptions transport;
    transport.address = options.address;
    transport.httpPort = options.enableHttp ? options.httpPort : -1;
    transport.httpsPort = options.enableHttps ? options.httpsPort : -1;
    transport.plainOnHttpsPort = options.plainHttpOnHttpsPort;
    if (options.enableHttps && !options.plainHttpOnHttpsPort)
        transport.certificate = certificateFor(options);
    return transport;
}

}  // namespace

CimServer::CimServer(ServerOptions options) : options_(std::move(options)) {}

CimServer::~CimServer()
{
    stop();
}

void CimServer::start()
{
    if (running_)
        return;
    if (!loaded_) {
        DataSet::load(repository_, methods_, options_.dataSet);
        loaded_ = true;
    }
    auto running = std::make_unique<Running>(*this, transportOptions(options_));
    running->transport.start();
    running_ = std::move(running);
}

void CimServer::stop()
{
    if (running_)
        running_->transport.stop();
    running_.reset();
}

bool CimServer::running() const
{
    return running_ != nullptr;
}

int CimServer::httpPort() const
{
    return running_ ? running_->transport.httpPort() : -1;
}

int CimServer::httpsPort() const
{
    return running_ ? running_->transport.httpsPort() : -1;
}

std::string CimServer::httpUrl() const
{
    return "http://" + options_.address + ":" + std::to_string(httpPort());
}

std::string CimServer::httpsUrl() const
{
    return "https://" + options_.address + ":" + std::to_string(httpsPort());
}

}  // namespace testcimom
