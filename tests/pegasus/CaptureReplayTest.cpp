// Every captured exchange, replayed byte for byte: the client must reach
// the outcome the response states, and must have sent a request that means
// what the captured one meant and that the DTD accepts.

#include "CapturedRequest.h"
#include "Captures.h"
#include "ClientFixture.h"
#include "DtdValidator.h"
#include "PercentCoding.h"
#include <gtest/gtest.h>
#include <openssl/evp.h>

PEGASUS_USING_PEGASUS;

namespace
{
// Requests that no client API call can produce: malformed on purpose, or
// carrying a parameter that does not exist.
bool isMalformedOnPurpose(const std::string& name)
{
    return name.rfind("Error-", 0) == 0 || name == "GetClass-ErrInvalidParameter";
}

// User and password of a captured Basic Authorization header.
std::pair<std::string, std::string> credentials(const std::string& request)
{
    const std::optional<std::string> header = Captures::headerOf(request, "Authorization");
    if (!header)
        return {};
    const std::string encoded = header->substr(header->find(' ') + 1);
    std::string plain(encoded.size(), '\0');
    const int size = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(&plain[0]),
                                     reinterpret_cast<const unsigned char*>(encoded.data()),
                                     static_cast<int>(encoded.size()));
    plain.resize(static_cast<size_t>(size));
    plain = plain.substr(0, plain.find('\0'));
    const size_t colon = plain.find(':');
    return {plain.substr(0, colon), plain.substr(colon + 1)};
}

void replay(const std::string& name, const std::string& request, CIMClient& client)
{
    if (isMalformedOnPurpose(name))
        client.getClass(CIMNamespaceName("root/cimv2"), CIMName("OMC_ProcessorSlot"));
    else
        CapturedRequest(request).replay(client);
}

void expectOutcome(const std::string& name, const std::string& request, CIMClient& client)
{
    const auto replayRequest = [&] { replay(name, request, client); };
    const Captures::Outcome outcome = Captures::expectedOutcome(name);
    switch (outcome.kind)
    {
    case Captures::Outcome::Success:
        EXPECT_NO_THROW(replayRequest());
        break;
    case Captures::Outcome::HttpError:
        if (const auto e = caught<CIMClientHTTPErrorException>(replayRequest))
        {
            EXPECT_EQ(Uint32(outcome.code), e->getCode());
        }
        break;
    case Captures::Outcome::CimError:
        if (const auto e = caught<CIMException>(replayRequest))
        {
            EXPECT_EQ(outcome.code, int(e->getCode()));
        }
        break;
    case Captures::Outcome::Truncated:
        EXPECT_THROW(replayRequest(), CIMClientMalformedHTTPException);
        break;
    }
}

void expectSameRequest(const std::string& captured, const std::string& ours)
{
    for (const char* header : {"CIMOperation", "CIMMethod", "Authorization"})
        EXPECT_EQ(Captures::headerOf(captured, header), Captures::headerOf(ours, header)) << header;
    EXPECT_EQ(percentDecode(Captures::headerOf(captured, "CIMObject").value_or("")),
              percentDecode(Captures::headerOf(ours, "CIMObject").value_or("")));
    EXPECT_EQ("application/xml; charset=\"utf-8\"", Captures::headerOf(ours, "Content-Type").value_or(""));
    EXPECT_EQ("trailers", Captures::headerOf(ours, "TE").value_or(""));
    EXPECT_EQ(CapturedRequest(captured).canonical(), CapturedRequest(ours).canonical());
    EXPECT_EQ("", dtdErrors(Captures::bodyOf(ours)));
}
}

TEST(CaptureReplay, EveryCapturedResponseGivesTheOutcomeItStatesAndEveryRequestMatches)
{
    const std::vector<std::string> names = Captures::names();
    ASSERT_GT(names.size(), 200u);
    for (const std::string& name : names)
    {
        SCOPED_TRACE(name);
        const auto action = Captures::isTruncated(name) ? ReplayStep::Action::AnswerAndClose : ReplayStep::Action::Answer;
        const std::vector<std::string> requests = Captures::messages(Captures::request(name));
        std::vector<ReplayStep> script;
        for (const std::string& response : Captures::messages(Captures::response(name)))
            script.push_back(ReplayStep::answer(response, action));
        const auto [user, password] = credentials(requests[0]);
        ReplayClient replayed(script, user, password);
        for (size_t i = 0; i + 1 < requests.size(); ++i)
            EXPECT_NO_THROW(replay(name, requests[i], replayed.client));
        expectOutcome(name, requests.back(), replayed.client);
        const std::vector<std::string> sent = replayed.server.requests();
        ASSERT_EQ(requests.size(), sent.size());
        for (size_t i = 0; i < sent.size() && !isMalformedOnPurpose(name); ++i)
            expectSameRequest(requests[i], sent[i]);
    }
}
