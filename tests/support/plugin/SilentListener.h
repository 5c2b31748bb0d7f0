#ifndef CIMHTTP_TESTS_SUPPORT_SILENTLISTENER_H
#define CIMHTTP_TESTS_SUPPORT_SILENTLISTENER_H

#include <string>

namespace cimhttp_faults {

// Listens on a port and never accepts: the kernel completes the TCP
// handshake, and then nothing is read or answered.
class SilentListener {
public:
    // Throws std::runtime_error when a port cannot be bound.
    SilentListener(const std::string& address, int port);
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

private:
    int fSocket;
};

}  // namespace cimhttp_faults

#endif
