#include "client/Debug.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include <Pegasus/Common/Exception.h>

#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

namespace {
const int kDebugBufferSize = 4096;
}  // namespace

void WriteLog(int level, const std::string& message)
{
    TRootObject::GetCoreLogger()->Log(level, message);
}

std::string MessageOf(const Pegasus::Exception& e)
{
    return std::string(e.getMessage().getCString());
}

void Trace(const std::string& message)
{
    WriteLog(eLogTrace, message);
}

void Debug(const char* format, ...)
{
    char buffer[kDebugBufferSize] = {};
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    Trace(std::string(buffer));
}

}  // namespace NVORNQEL20
