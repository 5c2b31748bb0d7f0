#include <qel/TAssertionFailedException.h>

#include <string>

#include <boost/assert.hpp>

#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

TAssertionFailedException::TAssertionFailedException(const std::string& message) : std::logic_error(message) {}

namespace {

[[noreturn]] void ReportAssertion(const std::string& message) {
    TRootObject::GetCoreLogger()->Log(0, message);
    throw TAssertionFailedException(message);
}

std::string DescribeAssertion(const char* expression, const char* function, const char* file, long line) {
    return std::string("Assertion failed: ") + expression + " in " + function + " at " + file + ":" +
           std::to_string(line);
}

}  // namespace
}  // namespace NVORNQEL20

// Boost's assertions (an empty shared_ptr dereferenced, ...) end up here: the
// failure is logged and thrown instead of ending the process.
namespace boost {

void assertion_failed(const char* expression, const char* function, const char* file, long line) {
    NVORNQEL20::ReportAssertion(NVORNQEL20::DescribeAssertion(expression, function, file, line));
}

void assertion_failed_msg(const char* expression, const char* message, const char* function, const char* file,
                          long line) {
    NVORNQEL20::ReportAssertion(NVORNQEL20::DescribeAssertion(expression, function, file, line) + ": " + message);
}

}  // namespace boost
