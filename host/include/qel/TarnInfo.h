#ifndef QEL_TARNINFO_H
#define QEL_TARNINFO_H

namespace NVORNQEL20 {

// What the host knows of its management controller.
class TarnInfo {
public:
    static TarnInfo* GetInstance();
    // The number of nodes of the system (1 on a single-node system).
    int GetNodeCount() const;
};

}  // namespace NVORNQEL20

#endif
