#include <qel/TInmemClassChain.h>

#include "TInmemLineageCache.h"

namespace NVORNQEL20 {

bool TInmemClassChain::IsSubclass(const boost::shared_ptr<ICIMClass>& cimClass, const ICIMClass& ancestor) {
    return TInmemLineageCache::LineageOf(cimClass)->HasOnChain(ancestor);
}

}  // namespace NVORNQEL20
