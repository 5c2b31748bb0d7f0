#include "client/Debug.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

namespace {
const int kDebugBufferSize = 4096;
const int kTraceLevel = 3;
}  // namespace

void WriteLog(int level, const std::string& message)
{
    TRootObject::GetCoreLogger()->Log(level, message);
}

void Debug(const char* format, ...)
{
    char buffer[kDebugBufferSize] = {};
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    WriteLog(kTraceLevel, std::string(buffer));
}

}  // namespace NVORNQEL20
