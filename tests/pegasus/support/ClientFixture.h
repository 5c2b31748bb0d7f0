#ifndef PegasusTest_ClientFixture_h
#define PegasusTest_ClientFixture_h

#include "Captures.h"
#include "ReplayServer.h"
#include <Pegasus/Client/CIMClient.h>
#include <memory>
#include <string>
#include <vector>

// A replay server answering with captured responses, and a client
// connected to it over plain HTTP.
struct ReplaySession
{
    explicit ReplaySession(std::vector<ReplayStep> script, const std::string& user = "", const std::string& password = "")
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
