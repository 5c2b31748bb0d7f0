#include "program/TCommandLine.h"

#include <cstring>
#include <thread>

#include <CLI/CLI.hpp>

#include "program/TCliError.h"

namespace NCimHTTPCli {

namespace {

const char* const kDescription =
    "cimhttp: inventory CIM servers (CIMOMs) through the libcimhttp.nsp.so plug-in, as the host loads it.\n"
    "The password comes from CIMHTTP_PASSWORD, --password-file or a prompt, never from the command line.";

unsigned int DefaultJobs() {
    const unsigned int cores = std::thread::hardware_concurrency();
    return cores ? cores : 1;
}

EFormat FormatNamed(const std::string& name) { return name == "json" ? eFormatJson : eFormatTable; }

void AddConnectionOptions(CLI::App& app, TOptions& options) {
    TConnectionOptions& connection = options.fConnection;
    app.add_option("--host", connection.fHosts, "CIM server; repeat it for the nodes of one multi-node system")
        ->type_name("HOST")
        ->allow_extra_args(false);
    app.add_option("--port", connection.fPort, "port for --https or --http (default 5989 or 5988)")
        ->check(CLI::Range(1, 65535))
        ->type_name("PORT");
    app.add_option("--user", connection.fUser,
                   "user name; the password is asked for, or read from "
                   "CIMHTTP_PASSWORD or --password-file");
    app.add_option("--password-file", connection.fPasswordFile, "file whose first line is the password")
        ->type_name("FILE");
    CLI::Option* https = app.add_flag_callback(
        "--https", [&connection] { connection.fProtocol = eProtocolHttps; },
        "HTTPS only (default: HTTPS on 5989, then HTTP on 5988)");
    CLI::Option* http = app.add_flag_callback(
        "--http", [&connection] { connection.fProtocol = eProtocolHttp; }, "HTTP only");
    https->excludes(http);
    app.add_option("--namespace", connection.fNamespace, "CIM namespace")->capture_default_str();
    app.add_option("--gc-timeout", connection.fClassTimeoutMs,
                   "class fetch time-out in ms (GCTimeout; the plug-in counts values above 15000)")
        ->type_name("MS");
    app.add_option("--ei-timeout", connection.fInstancesTimeoutMs,
                   "instance enumeration time-out in ms (EITimeout; the plug-in counts values above 60000)")
        ->type_name("MS");
}

void AddOutputOptions(CLI::App& app, TOptions& options) {
    app.add_option_function<std::string>(
           "--format", [&options](const std::string& format) { options.fFormat = FormatNamed(format); },
           "table (aligned text, the default) or json (one JSON document)")
        ->check(CLI::IsMember({"table", "json"}))
        ->type_name("FORMAT");
    CLI::Option* logFile =
        app.add_option("--log-file", options.fLogFile, "append the plug-in's log lines to FILE")->type_name("FILE");
    app.add_flag("--verbose,-v", options.fVerbose, "the plug-in's log lines on stderr")->excludes(logFile);
}

CLI::App* AddCommand(CLI::App& app, TOptions& options, const char* name, ECommand command,
                     const std::string& description) {
    CLI::App* sub = app.add_subcommand(name, description);
    sub->callback([&options, command] { options.fCommand = command; });
    return sub;
}

void AddSchemaCommands(CLI::App& app, TOptions& options) {
    CLI::App* classes = AddCommand(app, options, "classes", eCommandClasses,
                                   "the classes from the top of the class tree; --deep: the whole tree");
    classes->add_flag("--deep", options.fDeep, "every subclass, indented under its superclass");
    CLI::App* cls =
        AddCommand(app, options, "class", eCommandClass, "a class: superclasses, qualifiers, properties and methods");
    cls->add_option("NAME", options.fTarget, "class name")->required();
    CLI::App* names = AddCommand(app, options, "names", eCommandNames, "the instance paths of a class, on every node");
    names->add_option("CLASS", options.fTarget, "class name")->required();
}

void AddInstanceCommands(CLI::App& app, TOptions& options) {
    CLI::App* instances = AddCommand(app, options, "instances", eCommandInstances,
                                     "every instance of a class on every node, properties as display text");
    instances->add_option("CLASS", options.fTarget, "class name")->required();
    instances->add_flag("--deep", options.fDeep,
                        "with the properties the subclasses add (the server sends their instances either way)");
    instances->add_flag("--raw", options.fRaw, "the raw value beside the display text");
    CLI::App* invoke = AddCommand(app, options, "invoke", eCommandInvoke,
                                  "call a method on an instance path, or on a class for a static method");
    invoke->add_option("PATH", options.fTarget, "instance path or class name")->required();
    invoke->add_option("METHOD", options.fMethod, "method name")->required();
    invoke->add_option("NAME=VALUE", options.fArguments,
                       "input parameters, typed as the method declares them; "
                       "an array as [a,b]");
}

void AddFleetCommands(CLI::App& app, TOptions& options) {
    CLI::App* inventory = AddCommand(app, options, "inventory", eCommandInventory,
                                     "the classes of every host of a file, each host in a process of its own; "
                                     "JSON on stdout, a summary on stderr");
    inventory
        ->add_option("--hosts-file", options.fHostsFile,
                     "one host per line, '#' comments; nodes of one system separated by commas")
        ->required()
        ->check(CLI::ExistingFile);
    inventory->add_option("CLASS", options.fClasses, "class names")->required();
    options.fJobs = DefaultJobs();
    inventory->add_option("--jobs,-j", options.fJobs, "hosts inventoried at once (default: the number of cores)")
        ->check(CLI::PositiveNumber);
    inventory->add_option("--host-timeout", options.fHostTimeoutSeconds, "seconds one host may take")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    // What inventory runs in each child process.
    CLI::App* host = AddCommand(app, options, "inventory-host", eCommandHostInventory, "");
    host->group("");
    host->add_option("CLASS", options.fClasses)->required();
    AddCommand(app, options, "demo", eCommandDemo,
               "a tour against the bundled test CIMOM, started on a free loopback address and stopped after it");
}

bool NeedsHost(ECommand command) {
    return command != eCommandNone && command != eCommandInventory && command != eCommandDemo;
}

}  // namespace

bool TCommandLine::Parse(int argc, char** argv, TOptions& options) {
    RefusePasswordArgument(argc, argv);
    CLI::App app(kDescription, "cimhttp");
    // Global options given after the command reach the program too.
    app.fallthrough();
    app.require_subcommand(0, 1);
    AddConnectionOptions(app, options);
    AddOutputOptions(app, options);
    AddSchemaCommands(app, options);
    AddInstanceCommands(app, options);
    AddFleetCommands(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        app.exit(e);
        return false;
    } catch (const CLI::ParseError& e) {
        throw TCliError(eExitUsage, std::string(e.what()) + " (cimhttp --help lists the options)");
    }
    Check(options);
    return true;
}

// A password given as an argument would show in the process list and the
// shell's history; the value is not repeated in the message.
void TCommandLine::RefusePasswordArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--password") == 0 || std::strncmp(argv[i], "--password=", 11) == 0) {
            throw TCliError(eExitUsage, "no password on the command line: use CIMHTTP_PASSWORD, "
                                        "--password-file or the prompt");
        }
    }
}

void TCommandLine::Check(const TOptions& options) {
    const TConnectionOptions& connection = options.fConnection;
    if (connection.fPort && connection.fProtocol == eProtocolAutomatic) {
        throw TCliError(eExitUsage, "--port needs --https or --http: the automatic connection tries HTTPS on "
                                    "5989, then HTTP on 5988");
    }
    if (connection.fHosts.size() > 1 && (connection.fPort || connection.fProtocol != eProtocolAutomatic)) {
        throw TCliError(eExitUsage, "the nodes of a multi-node system are reached on 5989 (HTTPS), then 5988 "
                                    "(HTTP): --port, --https and --http are for a single host");
    }
    if (NeedsHost(options.fCommand) && connection.fHosts.empty()) {
        throw TCliError(eExitUsage, "no --host given; try `cimhttp demo`, or start the bundled test CIMOM "
                                    "(cimtestserver --data demo --address 127.0.0.1, beside cimhttp) and run "
                                    "`cimhttp --host 127.0.0.1 classes`");
    }
}

std::vector<std::string> TCommandLine::ConnectionArguments(const TOptions& options,
                                                           const std::vector<std::string>& hosts) {
    const TConnectionOptions& connection = options.fConnection;
    std::vector<std::string> arguments = {"--namespace", connection.fNamespace};
    for (const std::string& host : hosts) {
        arguments.insert(arguments.end(), {"--host", host});
    }
    if (connection.fPort) {
        arguments.insert(arguments.end(), {"--port", std::to_string(connection.fPort)});
    }
    if (connection.fProtocol != eProtocolAutomatic) {
        arguments.push_back(connection.fProtocol == eProtocolHttps ? "--https" : "--http");
    }
    if (!connection.fUser.empty()) {
        arguments.insert(arguments.end(), {"--user", connection.fUser});
    }
    if (connection.fClassTimeoutMs) {
        arguments.insert(arguments.end(), {"--gc-timeout", std::to_string(connection.fClassTimeoutMs)});
    }
    if (connection.fInstancesTimeoutMs) {
        arguments.insert(arguments.end(), {"--ei-timeout", std::to_string(connection.fInstancesTimeoutMs)});
    }
    return arguments;
}

}  // namespace NCimHTTPCli
