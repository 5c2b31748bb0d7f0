#include "testcimom/LoopbackBlock.h"

#include <stdexcept>

#include <unistd.h>

namespace testcimom {

namespace {

// 2^20 blocks of 16 addresses fill 127.0.0.0/8; the first 16 (127.0.0.x)
// are left to servers on the default address.
constexpr unsigned long kBlocks = 1UL << 20;
constexpr unsigned long kReserved = 16;

}  // namespace

LoopbackBlock LoopbackBlock::forThisProcess()
{
    return forPid(static_cast<long>(::getpid()));
}

LoopbackBlock LoopbackBlock::forPid(long pid)
{
    return LoopbackBlock(static_cast<unsigned long>(pid) % (kBlocks - kReserved) + kReserved);
}

std::string LoopbackBlock::address(int index) const
{
    if (index < 0 || index >= kSize)
        throw std::out_of_range("loopback block index " + std::to_string(index));
    unsigned long host = (block_ << 4) | static_cast<unsigned long>(index + 1);
    return "127." + std::to_string((host >> 16) & 0xff) + "." + std::to_string((host >> 8) & 0xff) + "." +
           std::to_string(host & 0xff);
}

}  // namespace testcimom
