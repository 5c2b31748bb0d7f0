#include "commands/TClassCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "output/JsonValue.h"
#include "output/TTable.h"
#include "schema/TClassDescription.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

namespace {

// Descriptions run long; the JSON output has them whole.
const std::size_t kValueWidth = 60;

const char* YesNo(const TJson& flag) { return flag.get<bool>() ? "yes" : "no"; }

}  // namespace

TClassCommand::TClassCommand(const TPluginSession& session, const std::string& name) : fSession(session), fName(name) {}

TJson TClassCommand::Run() { return TClassDescription::Describe(fSession.RequireClass(fName)); }

void TClassCommand::WriteText(const TJson& result, std::ostream& out) const {
    out << "class " << result["name"].get<std::string>() << "\n";
    out << "superclasses: " << (result["superclasses"].empty() ? "none" : TextOf(result["superclasses"])) << "\n";
    out << "abstract: " << YesNo(result["abstract"]) << "  association: " << YesNo(result["association"]) << "\n";
    WriteQualifiers(result["qualifiers"], out);
    WriteProperties(result["properties"], out);
    WriteMethods(result["methods"], out);
}

void TClassCommand::WriteQualifiers(const TJson& qualifiers, std::ostream& out) {
    out << "\nqualifiers\n";
    TTable table({"NAME", "TYPE", "VALUE"}, "  ");
    for (const TJson& qualifier : qualifiers) {
        table.AddRow({qualifier["name"], qualifier["type"], TextOf(qualifier["value"], kValueWidth)});
    }
    table.Write(out);
}

std::string TClassCommand::NamesOf(const TJson& elements) {
    TJson names = TJson::array();
    for (const TJson& element : elements) {
        names.push_back(element["name"]);
    }
    return TextOf(names);
}

void TClassCommand::WriteProperties(const TJson& properties, std::ostream& out) {
    out << "\nproperties\n";
    TTable table({"NAME", "TYPE", "KEY", "DEFAULT", "DECLARED IN", "QUALIFIERS"}, "  ");
    for (const TJson& property : properties) {
        table.AddRow({property["name"], property["type"], property["key"].get<bool>() ? "key" : "",
                      TextOf(property["default"], kValueWidth), property["declaredIn"],
                      NamesOf(property["qualifiers"])});
    }
    table.Write(out);
}

void TClassCommand::WriteMethods(const TJson& methods, std::ostream& out) {
    out << "\nmethods\n";
    for (const TJson& method : methods) {
        out << "  " << method["returnType"].get<std::string>() << " " << method["name"].get<std::string>()
            << "  (declared in " << method["declaredIn"].get<std::string>() << ")\n";
        TTable parameters({"TYPE", "PARAMETER"}, "    ");
        for (const TJson& parameter : method["parameters"]) {
            parameters.AddRow({parameter["type"], parameter["name"]});
        }
        parameters.Write(out);
    }
}

}  // namespace NCimHTTPCli
