#include "schema/ClassLineage.h"

#include <set>
#include <string>

namespace NCimHTTPCli {

using NVORNQEL20::ICIMClass;
using NVORNQEL20::TCIMContext;

namespace {

const std::size_t kMaxLineage = 64;

}  // namespace

std::vector<boost::shared_ptr<ICIMClass>> ClassLineage(boost::shared_ptr<ICIMClass> cls) {
    std::vector<boost::shared_ptr<ICIMClass>> lineage;
    std::set<std::string> seen;
    while (cls && !cls->IsRootClass(TCIMContext()) && lineage.size() < kMaxLineage &&
           seen.insert(cls->GetName(TCIMContext())).second) {
        lineage.push_back(cls);
        cls = cls->GetSuperClass(TCIMContext());
    }
    return lineage;
}

}  // namespace NCimHTTPCli
