#include "commands/TResultCommand.h"

#include <ostream>

#include "output/JsonValue.h"

namespace NCimHTTPCli {

int TResultCommand::Write(EFormat format, std::ostream& out) {
    const TJson result = Run();
    if (format == eFormatJson) {
        WriteJson(result, out);
    } else {
        WriteText(result, out);
    }
    return ExitStatusOf(result);
}

}  // namespace NCimHTTPCli
