#ifndef QEL_SPLIBRARY_H
#define QEL_SPLIBRARY_H

namespace NVORNQEL20 {

// The service-processor library: the management controller of each node,
// reached with IPMI requests. Backed by TControllerSimulation.
class SPLibrary {
public:
    // The controller index of a node (the node number unless configured otherwise).
    static int GetBMCMapping(int node);
    // The library of channel 0; null for other channels and while the
    // library is missing.
    static SPLibrary* GetSplibraryInstance(int channel);

    // Sends the request in buffer[0, *length) and, when waitForResponse is
    // set, puts the response into the same buffer (at most maxLength bytes)
    // and its size into *length. Response: bytes 0..3 the header (channel,
    // responder address 20h, network function | 1, LUN), byte 4 the
    // completion code; for the firmware-version request (network function
    // 3Ah, command 50h) with completion code 0, bytes 5..8 the version and
    // bytes 9..12 the four-character build identifier. Returns false when
    // the request could not be sent or the buffer cannot hold the response.
    bool sendIPMICommand(unsigned char* buffer, int* length, int maxLength, bool waitForResponse);
};

}  // namespace NVORNQEL20

#endif
