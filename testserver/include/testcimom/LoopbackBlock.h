#pragma once
// A block of loopback addresses for one process. ctest runs test processes
// side by side, and two of them cannot both listen on 127.0.0.1:5988; each
// process gets 15 addresses of its own in 127.0.0.0/8, derived from its pid,
// and can use the fixed CIM ports there.

#include <string>

namespace testcimom {

class LoopbackBlock {
public:
    static constexpr int kSize = 15;

    static LoopbackBlock forThisProcess();
    static LoopbackBlock forPid(long pid);

    // The address of node `index` (0-based, below kSize), e.g. "127.4.210.17".
    std::string address(int index = 0) const;

private:
    explicit LoopbackBlock(unsigned long block) : block_(block) {}
    unsigned long block_;
};

}  // namespace testcimom
