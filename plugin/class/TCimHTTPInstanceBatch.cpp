#include "class/TCimHTTPInstanceBatch.h"

#include <algorithm>
#include <utility>

#include "class/TCimHTTPInstanceCache.h"

namespace NVORNQEL20 {

void TCimHTTPInstanceBatch::Reserve(std::size_t count)
{
    fEntries.reserve(fEntries.size() + count);
}

void TCimHTTPInstanceBatch::Add(const std::string& path, boost::shared_ptr<TCimHTTPInstance> instance)
{
    fEntries.push_back({fPaths.size(), path.size(), std::move(instance)});
    fPaths += path;
}

void TCimHTTPInstanceBatch::FileInto(TCimHTTPInstanceCache& cache)
{
    std::stable_sort(fEntries.begin(), fEntries.end(),
                     [this](const TEntry& left, const TEntry& right) { return PathOf(left) < PathOf(right); });
    std::vector<TCimHTTPInstanceCache::TEntry> sorted;
    sorted.reserve(fEntries.size());
    for (TEntry& entry : fEntries)
        sorted.emplace_back(std::string(PathOf(entry)), std::move(entry.fInstance));
    fEntries.clear();
    fPaths.clear();
    cache.AddSorted(std::move(sorted));
}

std::string_view TCimHTTPInstanceBatch::PathOf(const TEntry& entry) const
{
    return std::string_view(fPaths).substr(entry.fOffset, entry.fSize);
}

}  // namespace NVORNQEL20
