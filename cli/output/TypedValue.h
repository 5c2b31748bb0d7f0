#ifndef CIMHTTP_CLI_OUTPUT_TYPEDVALUE_H
#define CIMHTTP_CLI_OUTPUT_TYPEDVALUE_H

#include <string>

#include <qel/TCIMValue.h>

namespace NCimHTTPCli {

// The value of a declared type from text a person typed, read by the host's
// value type: a number, TRUE or FALSE, a CIM datetime, an object path, a
// character, a string; "[a,b,c]" is an array of the type. Throws TCliError
// (bad parameter value) naming `what` when the text is not one of the type.
NVORNQEL20::TCIMValue TypedValue(NVORNQEL20::TCIMValue::TCIMType type, const std::string& text,
                                 const std::string& what);

}  // namespace NCimHTTPCli

#endif
