#ifndef CIMHTTP_CLI_OUTPUT_JSONVALUE_H
#define CIMHTTP_CLI_OUTPUT_JSONVALUE_H

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include <qel/TCIMValue.h>

#include "output/Json.h"

namespace NCimHTTPCli {

// A host value as JSON, its type kept: null as null, booleans as booleans,
// integers and reals as numbers, arrays as arrays; char16, strings,
// datetimes and references as their text.
TJson JsonOf(const NVORNQEL20::TCIMValue& value);

// Texts with ", " between them, as a table shows the elements of an array.
std::string Joined(const std::vector<std::string>& texts);

// A JSON value as table text: strings as they are, null as nothing, arrays
// as their elements joined with ", ". Longer texts than maxWidth characters
// (0: no limit) are cut and end in "...".
std::string TextOf(const TJson& value, std::size_t maxWidth = 0);

// One JSON document, indented, invalid UTF-8 from a server replaced rather
// than refused.
void WriteJson(const TJson& document, std::ostream& out);

}  // namespace NCimHTTPCli

#endif
