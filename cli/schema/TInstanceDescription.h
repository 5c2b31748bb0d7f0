#ifndef CIMHTTP_CLI_SCHEMA_TINSTANCEDESCRIPTION_H
#define CIMHTTP_CLI_SCHEMA_TINSTANCEDESCRIPTION_H

#include <boost/shared_ptr.hpp>

#include <qel/ICIMInstance.h>
#include <qel/ICIMProperty.h>

#include "output/Json.h"

namespace NCimHTTPCli {

// An instance of the host as data: its path, class and node, and every
// property the host lists for it (inherited ones included, through the
// declarations up the superclass chain) with its type, its display text
// (the plug-in's TCimHTTPProperty, steered by the declaration's qualifiers;
// one text per element of an array) and its raw value.
class TInstanceDescription {
public:
    static TJson Describe(const NVORNQEL20::ICIMInstance& instance);

private:
    static TJson Property(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
    static TJson DisplayOf(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
};

}  // namespace NCimHTTPCli

#endif
