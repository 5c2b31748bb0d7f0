#ifndef QEL_TCONTROLLERSIMULATION_H
#define QEL_TCONTROLLERSIMULATION_H

#include <string>

namespace NVORNQEL20 {

// The simulated management controller behind SPLibrary and TarnInfo, set up
// by tests and command-line hosts. Defaults (and after Reset): one node,
// controller index = node number, library present, firmware-version answer
// with completion code 0 and build identifier "GKWE", sending works.
// Thread-safe.
class TControllerSimulation {
public:
    static void Reset();
    static void SetNodeCount(int count);
    static int GetNodeCount();
    static void SetControllerIndex(int node, int index);
    static int GetControllerIndex(int node);
    static void SetLibraryMissing(bool missing);
    static bool IsLibraryMissing();
    // The build identifier is cut or padded with blanks to four characters.
    static void SetIPMIAnswer(unsigned char completionCode, const std::string& buildId);
    static void SetSendFailure(bool failing);
    // Answers one request as SPLibrary::sendIPMICommand describes.
    static bool Answer(unsigned char* buffer, int* length, int maxLength, bool waitForResponse);
};

}  // namespace NVORNQEL20

#endif
