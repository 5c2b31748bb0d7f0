#include "CannedServer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
// Room for the largest answer and for the client's request.
const int BUFFER_BYTES = 1 << 20;

void writeWhatFits(int socket, std::string_view bytes)
{
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    while (!bytes.empty())
    {
        const ssize_t n = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}
}

CannedServer::CannedServer(std::string_view answer) : _answer(answer)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0)
    {
        std::perror("socketpair");
        std::abort();
    }
    _server = ends[0];
    _client = ends[1];
    ::setsockopt(_server, SOL_SOCKET, SO_SNDBUF, &BUFFER_BYTES, sizeof BUFFER_BYTES);
    ::setsockopt(_client, SOL_SOCKET, SO_SNDBUF, &BUFFER_BYTES, sizeof BUFFER_BYTES);
    _thread = std::thread([this] { answerOnRequest(); });
}

CannedServer::~CannedServer()
{
    if (_client >= 0)
        ::close(_client);
    _thread.join();
    ::close(_server);
}

int CannedServer::takeClientSocket()
{
    const int client = _client;
    _client = -1;
    return client;
}

// A request, or the client closing its end, wakes the server.
void CannedServer::answerOnRequest()
{
    pollfd request{_server, POLLIN, 0};
    while (::poll(&request, 1, -1) < 0 && errno == EINTR)
    {
    }
    writeWhatFits(_server, _answer);
    ::shutdown(_server, SHUT_WR);
}
