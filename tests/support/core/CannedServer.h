#ifndef TestSupport_CannedServer_h
#define TestSupport_CannedServer_h

#include <string>
#include <string_view>
#include <thread>

// The server side of a socketpair with its whole answer ready: once the
// client's request begins to arrive it sends the answer and closes for
// writing, so the client reads exactly these bytes and then the end of the
// stream, and no read ever waits on the server. The request stays unread
// in the socket buffer.
class CannedServer
{
public:
    // Answers larger than the socket buffer are cut where it filled.
    explicit CannedServer(std::string_view answer);
    ~CannedServer();
    CannedServer(const CannedServer&) = delete;
    CannedServer& operator=(const CannedServer&) = delete;

    // The client's end; whoever takes it closes it, and must have closed it
    // before the server is destroyed.
    int takeClientSocket();

private:
    void answerOnRequest();

    std::string _answer;
    int _server = -1;
    int _client = -1;
    std::thread _thread;
};

#endif
