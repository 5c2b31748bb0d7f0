#include "class/TCimHTTPInstanceCache.h"

#include <algorithm>
#include <iterator>

namespace NVORNQEL20 {

namespace {

typedef TCimHTTPInstanceCache::TEntry TEntry;

bool PathBefore(const TEntry& left, const TEntry& right)
{
    return left.first < right.first;
}

bool EntryBeforePath(const TEntry& entry, const std::string& path)
{
    return entry.first < path;
}

bool PathBeforeEntry(const std::string& path, const TEntry& entry)
{
    return path < entry.first;
}

}  // namespace

void TCimHTTPInstanceCache::Add(const std::string& path, boost::shared_ptr<TCimHTTPInstance> instance)
{
    fEntries.emplace(std::upper_bound(fEntries.begin(), fEntries.end(), path, PathBeforeEntry), path,
                     std::move(instance));
}

// A merge that keeps what was there before what comes, path for path.
void TCimHTTPInstanceCache::AddSorted(std::vector<TEntry> sorted)
{
    if (fEntries.empty()) {
        fEntries = std::move(sorted);
        return;
    }
    const std::size_t filed = fEntries.size();
    fEntries.insert(fEntries.end(), std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()));
    std::inplace_merge(fEntries.begin(), fEntries.begin() + static_cast<std::ptrdiff_t>(filed), fEntries.end(),
                       PathBefore);
}

void TCimHTTPInstanceCache::Remove(const std::string& path)
{
    const auto first = std::lower_bound(fEntries.begin(), fEntries.end(), path, EntryBeforePath);
    fEntries.erase(first, std::upper_bound(first, fEntries.end(), path, PathBeforeEntry));
}

boost::shared_ptr<TCimHTTPInstance> TCimHTTPInstanceCache::Find(const std::string& path) const
{
    const auto found = std::lower_bound(fEntries.begin(), fEntries.end(), path, EntryBeforePath);
    return found == fEntries.end() || found->first != path ? boost::shared_ptr<TCimHTTPInstance>() : found->second;
}

std::vector<boost::shared_ptr<TCimHTTPInstance>> TCimHTTPInstanceCache::Instances() const
{
    std::vector<boost::shared_ptr<TCimHTTPInstance>> instances;
    instances.reserve(fEntries.size());
    for (const TEntry& entry : fEntries)
        instances.push_back(entry.second);
    return instances;
}

void TCimHTTPInstanceCache::Clear()
{
    fEntries.clear();
}

}  // namespace NVORNQEL20
