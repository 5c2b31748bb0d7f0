#ifndef CIMHTTP_TESTS_SUPPORT_FAULTTESTSUPPORT_H
#define CIMHTTP_TESTS_SUPPORT_FAULTTESTSUPPORT_H

#include <chrono>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "FaultCatalog.h"
#include "PluginTestSupport.h"

namespace cimhttp_faults {

// CIMHTTP_TEST_TIME_SCALE stretches every time-out and bound of these tests
// for slow runs (valgrind); 1 when unset.
int TimeScale();
std::chrono::milliseconds Scaled(std::chrono::milliseconds duration);
int ScaledMs(int milliseconds);
// What the plug-in's own time-outs (10 to 60 s) are divided by in tests of
// the layers above the connection (PegClient::SetTimeoutDivisor): 0.2 to
// 1.2 s, scaled.
int TimeoutDivisor();

// Distinctive credentials that must never show in a log line or an
// exception message, in clear or as the Basic authorization they make.
extern const char* const kUser;
extern const char* const kPassword;
// True when the text carries a credential, or the content of a local file
// an external entity pointed at.
bool RevealsSecret(const std::string& text);

// Checks every record of the host's logger, at every level, for secrets,
// empties the log and returns the trace lines (level 3).
std::vector<std::string> TakeTrace();

// Each line equals its expected line or, where the expected line is one of
// PegClient's prefixes ending in "(): ", starts with it.
void ExpectLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual);

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second);

class Stopwatch {
public:
    Stopwatch() : fStart(std::chrono::steady_clock::now()) {}
    std::chrono::milliseconds Elapsed() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - fStart);
    }

private:
    std::chrono::steady_clock::time_point fStart;
};

// A short, scaled reconnect pause; every record left in the log is checked
// for secrets at the end.
class FaultTest : public cimhttp_test::PluginTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

template <typename Element>
std::string NameOf(const Element& element)
{
    return element.name;
}

// Names a parameterized case "<fault>_<operation or connect form>".
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        return NameOf(std::get<0>(info.param)) + "_" + NameOf(std::get<1>(info.param));
    }
};

// Names for the parameters in gtest's messages.
void PrintTo(const Operation& operation, std::ostream* out);
void PrintTo(const RequestFault& fault, std::ostream* out);
void PrintTo(const ConnectionFault& fault, std::ostream* out);

}  // namespace cimhttp_faults

#endif
