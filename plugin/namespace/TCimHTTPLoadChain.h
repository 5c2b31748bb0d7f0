#ifndef CIMHTTP_NAMESPACE_TCIMHTTPLOADCHAIN_H
#define CIMHTTP_NAMESPACE_TCIMHTTPLOADCHAIN_H

#include <cstddef>
#include <string>
#include <vector>

namespace NVORNQEL20 {

// The classes a namespace is loading at one time, outermost first: the
// class a caller asked for, the superclasses it waits for, and what a
// union-namespace probe asks for on the way. A look-up that comes back for a
// class in the chain is the union namespace asking the namespace back (the
// class is not found there) or, when that class waits for its superclass,
// a superclass chain that loops. Once the chain has failed it stays failed
// until its outermost look-up is done, so that none of its classes is kept.
class TCimHTTPLoadChain {
public:
    // Well beyond any real schema, whose deepest chains stay under 15 classes.
    static const std::size_t kMaxDepth = 32;

    // A class's place in the chain for as long as its look-up runs.
    class TLink {
    public:
        TLink(TCimHTTPLoadChain& chain, const std::string& key);
        ~TLink();
        TLink(const TLink&) = delete;
        TLink& operator=(const TLink&) = delete;

    private:
        TCimHTTPLoadChain& fChain;
    };

    TCimHTTPLoadChain();

    // While the class waits for its superclass, a look-up of it closes a loop.
    void SetWaitsForSuperclass(const std::string& key, bool waits);
    bool Contains(const std::string& key) const;
    bool WaitsForSuperclass(const std::string& key) const;
    bool IsFull() const;
    void Fail();
    bool HasFailed() const;

private:
    struct TEntry {
        std::string fKey;
        bool fWaitsForSuperclass;
    };

    TEntry* Find(const std::string& key);
    const TEntry* Find(const std::string& key) const;

    std::vector<TEntry> fEntries;
    bool fFailed;
};

}  // namespace NVORNQEL20

#endif
