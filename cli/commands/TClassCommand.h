#ifndef CIMHTTP_CLI_COMMANDS_TCLASSCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TCLASSCOMMAND_H

#include <string>

#include "commands/TResultCommand.h"

namespace NCimHTTPCli {

class TPluginSession;

// class NAME: the class with its superclass chain, qualifiers, property
// declarations (type, default, qualifiers; inherited ones with the class
// that declares them) and methods with their parameters.
class TClassCommand : public TResultCommand {
public:
    TClassCommand(const TPluginSession& session, const std::string& name);

    TJson Run() override;
    void WriteText(const TJson& result, std::ostream& out) const override;

private:
    static void WriteQualifiers(const TJson& qualifiers, std::ostream& out);
    static void WriteProperties(const TJson& properties, std::ostream& out);
    static void WriteMethods(const TJson& methods, std::ostream& out);
    static std::string NamesOf(const TJson& elements);

    const TPluginSession& fSession;
    std::string fName;
};

}  // namespace NCimHTTPCli

#endif
