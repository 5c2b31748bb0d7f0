#include "namespace/TCimHTTPLoadChain.h"

namespace NVORNQEL20 {

TCimHTTPLoadChain::TLink::TLink(TCimHTTPLoadChain& chain, const std::string& key) : fChain(chain)
{
    fChain.fEntries.push_back(TEntry{key, false});
}

TCimHTTPLoadChain::TLink::~TLink()
{
    fChain.fEntries.pop_back();
    if (fChain.fEntries.empty())
        fChain.fFailed = false;
}

TCimHTTPLoadChain::TCimHTTPLoadChain() : fFailed(false) {}

TCimHTTPLoadChain::TEntry* TCimHTTPLoadChain::Find(const std::string& key)
{
    for (TEntry& entry : fEntries)
        if (entry.fKey == key)
            return &entry;
    return nullptr;
}

const TCimHTTPLoadChain::TEntry* TCimHTTPLoadChain::Find(const std::string& key) const
{
    return const_cast<TCimHTTPLoadChain*>(this)->Find(key);
}

void TCimHTTPLoadChain::SetWaitsForSuperclass(const std::string& key, bool waits)
{
    if (TEntry* entry = Find(key))
        entry->fWaitsForSuperclass = waits;
}

bool TCimHTTPLoadChain::Contains(const std::string& key) const
{
    return Find(key) != nullptr;
}

bool TCimHTTPLoadChain::WaitsForSuperclass(const std::string& key) const
{
    const TEntry* entry = Find(key);
    return entry && entry->fWaitsForSuperclass;
}

bool TCimHTTPLoadChain::IsFull() const
{
    return fEntries.size() >= kMaxDepth;
}

void TCimHTTPLoadChain::Fail()
{
    fFailed = true;
}

bool TCimHTTPLoadChain::HasFailed() const
{
    return fFailed;
}

}  // namespace NVORNQEL20
