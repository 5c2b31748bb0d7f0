#ifndef CIMHTTP_CLASS_TCIMHTTPINSTANCECACHE_H
#define CIMHTTP_CLASS_TCIMHTTPINSTANCECACHE_H

#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

namespace NVORNQEL20 {

class TCimHTTPInstance;

// A class's instances by path, in ascending path order; several instances
// may sit under one path, in the order they were added. One array rather
// than a tree: an enumeration fills it in one go and lets it go in one go.
class TCimHTTPInstanceCache {
public:
    typedef std::pair<std::string, boost::shared_ptr<TCimHTTPInstance>> TEntry;

    // After the instances already under the path.
    void Add(const std::string& path, boost::shared_ptr<TCimHTTPInstance> instance);
    // Entries in path order (those of one path in the order they came), as
    // adding them one by one would file them.
    void AddSorted(std::vector<TEntry> sorted);
    // Every instance under the path.
    void Remove(const std::string& path);
    // The first instance under the path; empty when there is none.
    boost::shared_ptr<TCimHTTPInstance> Find(const std::string& path) const;
    std::vector<boost::shared_ptr<TCimHTTPInstance>> Instances() const;
    void Clear();

private:
    std::vector<TEntry> fEntries;
};

}  // namespace NVORNQEL20

#endif
