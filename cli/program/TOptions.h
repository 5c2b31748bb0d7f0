#ifndef CIMHTTP_CLI_PROGRAM_TOPTIONS_H
#define CIMHTTP_CLI_PROGRAM_TOPTIONS_H

#include <string>
#include <vector>

namespace NCimHTTPCli {

// How the plug-in reaches the server.
enum EProtocol {
    eProtocolAutomatic,  // HTTPS on 5989, then HTTP on 5988, as the plug-in's connect does
    eProtocolHttps,
    eProtocolHttp
};

// Where the server is and who asks. The password is never an option: it
// comes from a file, the environment or a prompt (TPasswordSource).
struct TConnectionOptions {
    // Several hosts are the nodes of one multi-node system, in node order.
    std::vector<std::string> fHosts;
    // 0: the protocol's own port.
    int fPort = 0;
    std::string fUser;
    std::string fPasswordFile;
    EProtocol fProtocol = eProtocolAutomatic;
    std::string fNamespace = "root/cimv2";
    // 0: the plug-in's defaults; smaller values than those are ignored by it.
    unsigned int fClassTimeoutMs = 0;
    unsigned int fInstancesTimeoutMs = 0;
};

enum EFormat { eFormatTable, eFormatJson };

enum ECommand {
    eCommandNone,
    eCommandClasses,
    eCommandClass,
    eCommandNames,
    eCommandInstances,
    eCommandInvoke,
    eCommandInventory,
    eCommandHostInventory,
    eCommandDemo
};

// Everything one run was asked to do.
struct TOptions {
    ECommand fCommand = eCommandNone;
    TConnectionOptions fConnection;
    EFormat fFormat = eFormatTable;
    std::string fLogFile;
    bool fVerbose = false;

    // classes, instances
    bool fDeep = false;
    // class, names, instances: the class; invoke: the path or class
    std::string fTarget;
    // instances
    bool fRaw = false;
    // invoke
    std::string fMethod;
    std::vector<std::string> fArguments;
    // inventory
    std::string fHostsFile;
    std::vector<std::string> fClasses;
    unsigned int fJobs = 0;
    unsigned int fHostTimeoutSeconds = 300;
};

}  // namespace NCimHTTPCli

#endif
