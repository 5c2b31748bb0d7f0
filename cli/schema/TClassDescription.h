#ifndef CIMHTTP_CLI_SCHEMA_TCLASSDESCRIPTION_H
#define CIMHTTP_CLI_SCHEMA_TCLASSDESCRIPTION_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMNamedElement.h>
#include <qel/ICIMPropertyDecl.h>

#include "output/Json.h"

namespace NCimHTTPCli {

// A class of the host as data: its name, its superclasses, whether it is
// abstract or an association, its qualifiers, and the properties and
// methods it has, its own and those it inherits (the nearest declaration of
// a name wins), each with the class that declares it.
class TClassDescription {
public:
    static TJson Describe(const boost::shared_ptr<NVORNQEL20::ICIMClass>& cls);

    // [{"name", "type", "value"}, ...] in name order.
    static TJson Qualifiers(const NVORNQEL20::ICIMNamedElement& element);

private:
    typedef std::vector<boost::shared_ptr<NVORNQEL20::ICIMClass>> TLineage;

    static TJson Properties(const TLineage& lineage);
    static TJson Methods(const TLineage& lineage);
    static TJson Property(const NVORNQEL20::ICIMPropertyDecl& declaration, const std::string& declaredIn);
    static TJson Method(const NVORNQEL20::ICIMMethodDecl& method, const std::string& declaredIn);
    static TJson Parameters(const NVORNQEL20::ICIMMethodDecl& method);
    static bool IsKey(const NVORNQEL20::ICIMPropertyDecl& declaration);
};

}  // namespace NCimHTTPCli

#endif
