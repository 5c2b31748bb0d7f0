#ifndef TestSupport_ReplayServer_h
#define TestSupport_ReplayServer_h

#include "TlsIdentity.h"
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the server does with one request, in script order across all
// connections.
struct ReplayStep
{
    enum class Action
    {
        Answer,           // send the bytes, keep the connection
        AnswerAndClose,   // send the bytes, then close
        CloseInstead,     // close without answering
        Stall,            // never answer
    };

    std::string bytes;
    Action action = Action::Answer;
    std::chrono::milliseconds delay{0};   // before answering

    static ReplayStep answer(std::string bytes, Action action = Action::Answer)
    {
        return ReplayStep{std::move(bytes), action, std::chrono::milliseconds(0)};
    }
};

// A loopback HTTP (or HTTPS) server that answers each request with the
// next scripted bytes, exactly as given, and records what it received.
class ReplayServer
{
public:
    explicit ReplayServer(std::vector<ReplayStep> script, const TlsIdentity* tls = nullptr);
    ~ReplayServer();

    unsigned short port() const { return _port; }
    std::vector<std::string> requests() const;
    int connections() const { return _connections; }

private:
    void serve();
    void serveConnection(int socket);

    std::vector<ReplayStep> _script;
    size_t _next = 0;
    const TlsIdentity* _tls;
    void* _sslContext = nullptr;
    int _listener = -1;
    unsigned short _port = 0;
    std::atomic<bool> _stop{false};
    std::atomic<int> _connections{0};
    mutable std::mutex _mutex;
    std::vector<std::string> _requests;
    std::thread _thread;
};

#endif
