#include "program/Warning.h"

#include <iostream>

namespace NCimHTTPCli {

void Warn(const std::string& text) { std::cerr << "cimhttp: warning: " << text << std::endl; }

}  // namespace NCimHTTPCli
