#include <qel/TarnInfo.h>

#include <qel/TControllerSimulation.h>

namespace NVORNQEL20 {

TarnInfo* TarnInfo::GetInstance() {
    static TarnInfo info;
    return &info;
}

int TarnInfo::GetNodeCount() const { return TControllerSimulation::GetNodeCount(); }

}  // namespace NVORNQEL20
