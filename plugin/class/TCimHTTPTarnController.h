#ifndef CIMHTTP_CLASS_TCIMHTTPTARNCONTROLLER_H
#define CIMHTTP_CLASS_TCIMHTTPTARNCONTROLLER_H

#include <string>

namespace NVORNQEL20 {

// The maker's management controller (the Tarn controller), read with one
// IPMI request through the host's service-processor library: its firmware
// build prefix and the SLP service type that goes with it. Nothing here
// throws for controller trouble: every failure is logged and gives "".
class TCimHTTPTarnController {
public:
    // The four characters of the firmware build prefix.
    static std::string Version();
    // "service:management-hardware.VORN:tarnhold" for prefix GKWE,
    // "...:tarnhold2" for 3GKW (in any letter case), else "".
    static std::string ServiceType();
};

}  // namespace NVORNQEL20

#endif
