#ifndef CIMHTTP_CLI_SCHEMA_CLASSLINEAGE_H
#define CIMHTTP_CLI_SCHEMA_CLASSLINEAGE_H

#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>

namespace NCimHTTPCli {

// The class and its superclasses, nearest first, up to the root class (not
// included). A chain that loops or runs past 64 classes ends there.
std::vector<boost::shared_ptr<NVORNQEL20::ICIMClass>> ClassLineage(boost::shared_ptr<NVORNQEL20::ICIMClass> cls);

}  // namespace NCimHTTPCli

#endif
