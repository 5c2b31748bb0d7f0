#ifndef QEL_INMEM_TINMEMLINEAGECACHE_H
#define QEL_INMEM_TINMEMLINEAGECACHE_H

#include <atomic>
#include <mutex>
#include <unordered_map>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>

#include "TInmemLineage.h"

namespace NVORNQEL20 {

// The process's memory of class lineages, so that the superclass chain of a
// class is walked once for all its instances rather than once per instance.
//
// A lineage is remembered for as long as its class lives. Entries are found
// by the class object's address and checked against the lineage's weak
// pointer to the class, so a class destroyed and another made at the same
// address never share a lineage. A lineage is built again when a class of its
// chain is gone or after a schema change (an in-memory class gaining or
// losing a declaration); entries of dead classes are dropped whenever a
// lineage is built. The walk runs outside the lock. Thread-safe.
class TInmemLineageCache {
public:
    // The lineage of the class (not empty).
    static boost::shared_ptr<const TInmemLineage> LineageOf(const boost::shared_ptr<ICIMClass>& cimClass);
    // Whether a lineage LineageOf gave still serves its class (the class and
    // its chain alive, no schema change since), without the look-up.
    static bool IsCurrent(const TInmemLineage& lineage);
    static void SchemaChanged();

private:
    static TInmemLineageCache& Instance();

    boost::shared_ptr<const TInmemLineage> Find(const ICIMClass* cimClass, unsigned long schemaGeneration);
    void Remember(const ICIMClass* cimClass, const boost::shared_ptr<const TInmemLineage>& lineage);

    std::mutex fMutex;
    std::unordered_map<const ICIMClass*, boost::shared_ptr<const TInmemLineage>> fLineages;
    std::atomic<unsigned long> fSchemaGeneration{0};
};

}  // namespace NVORNQEL20

#endif
