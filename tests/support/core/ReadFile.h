#ifndef TestSupport_ReadFile_h
#define TestSupport_ReadFile_h

#include <string>

// The whole file, byte for byte; throws std::runtime_error when it cannot
// be read.
std::string readFile(const std::string& path);

#endif
