#ifndef TestSupport_ClientFixture_h
#define TestSupport_ClientFixture_h

#include "Captures.h"
#include "ReplayServer.h"
#include <Pegasus/Client/CIMClient.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Pegasus
{
// Readable values in test failure messages.
inline void PrintTo(const String& s, std::ostream* os) { *os << '"' << s << '"'; }
inline void PrintTo(const CIMName& n, std::ostream* os) { *os << n.getString(); }
inline void PrintTo(const CIMNamespaceName& n, std::ostream* os) { *os << n.getString(); }
inline void PrintTo(const CIMObjectPath& p, std::ostream* os) { *os << p.toString(); }
inline void PrintTo(const CIMValue& v, std::ostream* os) { *os << cimTypeToString(v.getType()) << ":" << v.toString(); }
}

// The exception of type E that f throws; the test fails when none is thrown.
template <class E, class F>
std::optional<E> caught(F&& f)
{
    try
    {
        f();
    }
    catch (const E& e)
    {
        return e;
    }
    ADD_FAILURE() << "no exception thrown";
    return std::nullopt;
}

// A replay server answering with captured responses, and a client
// connected to it over plain HTTP.
struct ReplayClient
{
    explicit ReplayClient(std::vector<ReplayStep> script, const std::string& user = "", const std::string& password = "")
        : server(std::move(script))
    {
        client.connect("127.0.0.1", server.port(), Pegasus::String(user), Pegasus::String(password));
    }

    // One captured response per request, in order.
    static std::vector<ReplayStep> captured(const std::vector<std::string>& names)
    {
        std::vector<ReplayStep> script;
        for (const std::string& name : names)
            script.push_back(ReplayStep::answer(Captures::response(name)));
        return script;
    }

    ReplayServer server;
    Pegasus::CIMClient client;
};

#endif
