#ifndef CIMHTTP_CLI_OUTPUT_JSON_H
#define CIMHTTP_CLI_OUTPUT_JSON_H

#include <nlohmann/json_fwd.hpp>

namespace NCimHTTPCli {

// The results of every command: keys stay in the order they were added.
typedef nlohmann::ordered_json TJson;

}  // namespace NCimHTTPCli

#endif
