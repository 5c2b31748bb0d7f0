#include "FaultTestSupport.h"

#include <algorithm>
#include <cstdlib>

#include <openssl/evp.h>

namespace cimhttp_faults {

namespace {

std::string Base64(const std::string& plain)
{
    std::string encoded(4 * ((plain.size() + 2) / 3) + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(&encoded[0]),
                                     reinterpret_cast<const unsigned char*>(plain.data()),
                                     static_cast<int>(plain.size()));
    encoded.resize(static_cast<std::size_t>(size));
    return encoded;
}

bool IsPrefixPattern(const std::string& expected)
{
    const std::string end = "(): ";
    return expected.size() >= end.size() && expected.compare(expected.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

const char* const kUser = "fault-matrix-operator";
const char* const kPassword = "Zq7-never-log-me-42";

int TimeScale()
{
    const char* text = std::getenv("CIMHTTP_TEST_TIME_SCALE");
    const int scale = text ? std::atoi(text) : 1;
    return scale > 0 ? scale : 1;
}

std::chrono::milliseconds Scaled(std::chrono::milliseconds duration)
{
    return duration * TimeScale();
}

int ScaledMs(int milliseconds)
{
    return milliseconds * TimeScale();
}

int TimeoutDivisor()
{
    return std::max(1, 50 / TimeScale());
}

bool RevealsSecret(const std::string& text)
{
    static const std::vector<std::string> secrets = {
        kPassword, Base64(kPassword), Base64(std::string(kUser) + ":" + kPassword), "root:x:0:0"};
    for (const std::string& secret : secrets)
        if (text.find(secret) != std::string::npos)
            return true;
    return false;
}

std::vector<std::string> TakeTrace()
{
    const auto logger = NVORNQEL20::TRootObject::GetCoreLogger();
    std::vector<std::string> trace;
    for (const auto& record : logger->Records()) {
        EXPECT_FALSE(RevealsSecret(record.second)) << "level " << record.first << ": " << record.second;
        if (record.first == 3)
            trace.push_back(record.second);
    }
    logger->Clear();
    return trace;
}

void ExpectLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    EXPECT_EQ(expected.size(), actual.size()) << ::testing::PrintToString(actual);
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (IsPrefixPattern(expected[i]))
            EXPECT_TRUE(cimhttp_test::StartsWith(actual[i], expected[i])) << actual[i];
        else
            EXPECT_EQ(expected[i], actual[i]);
    }
}

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

void FaultTest::SetUp()
{
    PluginTest::SetUp();
    NVORNQEL20::PegClient::SetReconnectPause(Scaled(std::chrono::milliseconds(10)));
}

void FaultTest::TearDown()
{
    TakeTrace();
}

void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

void PrintTo(const RequestFault& fault, std::ostream* out)
{
    *out << fault.name;
}

void PrintTo(const ConnectionFault& fault, std::ostream* out)
{
    *out << fault.name;
}

}  // namespace cimhttp_faults
