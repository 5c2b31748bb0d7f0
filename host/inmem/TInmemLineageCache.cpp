#include "TInmemLineageCache.h"

#include <iterator>

#include <boost/make_shared.hpp>

namespace NVORNQEL20 {

TInmemLineageCache& TInmemLineageCache::Instance() {
    static TInmemLineageCache cache;
    return cache;
}

boost::shared_ptr<const TInmemLineage> TInmemLineageCache::LineageOf(const boost::shared_ptr<ICIMClass>& cimClass) {
    TInmemLineageCache& cache = Instance();
    const unsigned long schemaGeneration = cache.fSchemaGeneration.load();
    if (boost::shared_ptr<const TInmemLineage> remembered = cache.Find(cimClass.get(), schemaGeneration)) {
        return remembered;
    }
    auto lineage = boost::make_shared<const TInmemLineage>(cimClass, schemaGeneration);
    cache.Remember(cimClass.get(), lineage);
    return lineage;
}

bool TInmemLineageCache::IsCurrent(const TInmemLineage& lineage) {
    return lineage.IsCurrent(Instance().fSchemaGeneration.load());
}

void TInmemLineageCache::SchemaChanged() { ++Instance().fSchemaGeneration; }

boost::shared_ptr<const TInmemLineage> TInmemLineageCache::Find(const ICIMClass* cimClass,
                                                                unsigned long schemaGeneration) {
    std::lock_guard<std::mutex> lock(fMutex);
    auto found = fLineages.find(cimClass);
    if (found == fLineages.end() || !found->second->IsCurrentFor(cimClass, schemaGeneration)) {
        return boost::shared_ptr<const TInmemLineage>();
    }
    return found->second;
}

void TInmemLineageCache::Remember(const ICIMClass* cimClass, const boost::shared_ptr<const TInmemLineage>& lineage) {
    std::lock_guard<std::mutex> lock(fMutex);
    for (auto entry = fLineages.begin(); entry != fLineages.end();) {
        entry = entry->second->IsAlive() ? std::next(entry) : fLineages.erase(entry);
    }
    fLineages[cimClass] = lineage;
}

}  // namespace NVORNQEL20
