#ifndef CIMHTTP_TESTS_PLUGIN_SCHEMATESTSUPPORT_H
#define CIMHTTP_TESTS_PLUGIN_SCHEMATESTSUPPORT_H

#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifier.h>
#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"
#include "namespace/TCimHTTPNamespace.h"
#include "schema/TCimHTTPQualifierDecl.h"
#include "PluginTestSupport.h"

namespace cimhttp_test {

// A namespace that is never connected, with one class to own declarations.
class SchemaTest : public PluginTest {
protected:
    typedef NVORNQEL20::ICIMQualifierDecl::EFlavor EFlavor;

    SchemaTest()
        : fNamespace(boost::make_shared<NVORNQEL20::TCimHTTPNamespace>(false, "root/cimv2")),
          fClass(boost::make_shared<NVORNQEL20::TCimHTTPClass>(fNamespace, 60000, "CIM_Test",
                                                               boost::shared_ptr<NVORNQEL20::TCimHTTPClass>()))
    {
    }

    boost::shared_ptr<NVORNQEL20::TCimHTTPQualifierDecl> Declaration(
        const std::string& name, EFlavor flavor = NVORNQEL20::ICIMQualifierDecl::eFlavorNone,
        const NVORNQEL20::TCIMValue& defaultValue = NVORNQEL20::TCIMValue(false))
    {
        return boost::make_shared<NVORNQEL20::TCimHTTPQualifierDecl>(
            fNamespace, name, defaultValue, NVORNQEL20::ICIMQualifierDecl::eScopeAny, flavor);
    }

    // Allocated on the element and attached to it.
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> Attach(NVORNQEL20::ICIMNamedElement& element,
                                                        const std::string& name,
                                                        const NVORNQEL20::TCIMValue& value = NVORNQEL20::TCIMValue(true),
                                                        EFlavor flavor = NVORNQEL20::ICIMQualifierDecl::eFlavorNone)
    {
        auto qualifier = element.AllocateQualifier(Declaration(name, flavor), value, NVORNQEL20::TCIMContext());
        element.AddQualifier(qualifier, NVORNQEL20::TCIMContext());
        return qualifier;
    }

    boost::shared_ptr<NVORNQEL20::TCimHTTPNamespace> fNamespace;
    boost::shared_ptr<NVORNQEL20::TCimHTTPClass> fClass;
};

// The names of the element's qualifiers in the order it visits them.
inline std::vector<std::string> QualifierNames(const NVORNQEL20::ICIMNamedElement& element)
{
    std::vector<std::string> names;
    element.EnumerateQualifiers(
        [&](boost::shared_ptr<NVORNQEL20::ICIMQualifier> qualifier) {
            names.push_back(qualifier->GetName(NVORNQEL20::TCIMContext()));
            return true;
        },
        NVORNQEL20::TCIMContext());
    return names;
}

// The status of the host exception that the call throws; 0 when it throws none.
template <typename TCall>
int ThrownStatus(TCall call)
{
    try {
        call();
    } catch (const NVORNQEL20::TQELException& e) {
        return e.GetStatusCode();
    }
    return 0;
}

}  // namespace cimhttp_test

#endif
