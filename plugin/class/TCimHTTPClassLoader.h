#ifndef CIMHTTP_CLASS_TCIMHTTPCLASSLOADER_H
#define CIMHTTP_CLASS_TCIMHTTPCLASSLOADER_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMMethod.h>
#include <Pegasus/Common/CIMProperty.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <Pegasus/Common/CIMScope.h>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifierDecl.h>

namespace NVORNQEL20 {

class TCimHTTPClass;
class TCimHTTPNamespace;

// Fills a class from one node's definition of it: class qualifiers,
// property declarations with their qualifiers, the synthetic NodeID and
// method declarations with their parameters. Qualifiers the namespace has
// no declaration of are declared there on the way. What the class already
// holds under a name stays, so the definitions of several nodes merge.
class TCimHTTPClassLoader {
public:
    // The host's flavor and scope bits of the client library's texts.
    static ICIMQualifierDecl::EFlavor FlavorOf(const std::string& text);
    static ICIMQualifierDecl::EScope ScopeOf(const std::string& text);

    TCimHTTPClassLoader(TCimHTTPClass& cls, TCimHTTPNamespace& nameSpace);

    // A definition that failed to arrive throws the client library's
    // exception, leaving what was loaded before.
    void Load(const Pegasus::CIMClass& definition);

private:
    template <typename TElement>
    void LoadQualifiers(const TElement& source, ICIMNamedElement& target, const Pegasus::CIMScope& scope);
    void LoadQualifier(const Pegasus::CIMConstQualifier& qualifier, ICIMNamedElement& target,
                       const Pegasus::CIMScope& scope);
    boost::shared_ptr<ICIMQualifierDecl const> DeclarationOf(const Pegasus::CIMConstQualifier& qualifier,
                                                             const Pegasus::CIMScope& scope);
    void LoadProperty(const Pegasus::CIMConstProperty& property);
    void AddNodeID();
    void LoadMethod(const Pegasus::CIMConstMethod& method);

    TCimHTTPClass& fClass;
    TCimHTTPNamespace& fNamespace;
};

}  // namespace NVORNQEL20

#endif
