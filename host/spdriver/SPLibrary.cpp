#include <qel/SPLibrary.h>

#include <qel/TControllerSimulation.h>

namespace NVORNQEL20 {

int SPLibrary::GetBMCMapping(int node) { return TControllerSimulation::GetControllerIndex(node); }

SPLibrary* SPLibrary::GetSplibraryInstance(int channel) {
    static SPLibrary library;
    return (channel == 0 && !TControllerSimulation::IsLibraryMissing()) ? &library : nullptr;
}

bool SPLibrary::sendIPMICommand(unsigned char* buffer, int* length, int maxLength, bool waitForResponse) {
    return TControllerSimulation::Answer(buffer, length, maxLength, waitForResponse);
}

}  // namespace NVORNQEL20
