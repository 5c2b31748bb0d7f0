#ifndef CIMHTTP_CLASS_TCIMHTTPINSTANCEBATCH_H
#define CIMHTTP_CLASS_TCIMHTTPINSTANCEBATCH_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <boost/shared_ptr.hpp>

namespace NVORNQEL20 {

class TCimHTTPInstance;
class TCimHTTPInstanceCache;

// The instances one enumeration reads, each with its path, until they are
// filed in the class's instance cache. Filed in one sort rather than one by
// one; the paths wait in one text, so that sorting a hundred thousand of
// them reads a few megabytes instead of a string in every corner of the heap.
class TCimHTTPInstanceBatch {
public:
    void Reserve(std::size_t count);
    void Add(const std::string& path, boost::shared_ptr<TCimHTTPInstance> instance);
    // Files the instances in path order, those under one path in the order
    // they were added, as filing them one by one would; empties the batch.
    void FileInto(TCimHTTPInstanceCache& cache);

private:
    struct TEntry {
        std::size_t fOffset;
        std::size_t fSize;
        boost::shared_ptr<TCimHTTPInstance> fInstance;
    };

    std::string_view PathOf(const TEntry& entry) const;

    std::string fPaths;
    std::vector<TEntry> fEntries;
};

}  // namespace NVORNQEL20

#endif
