#ifndef HOST_TESTS_SUPPORT_INMEMSCHEMA_H
#define HOST_TESTS_SUPPORT_INMEMSCHEMA_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/ICIMQualifier.h>
#include <qel/TInmemNamespace.h>

// Builds classes in a fresh in-memory namespace for the tests.
class TInmemSchema {
public:
    TInmemSchema();

    boost::shared_ptr<NVORNQEL20::TInmemNamespace> Namespace() const;
    // The namespace's declaration of the qualifier, declared with this default and flavor when missing.
    boost::shared_ptr<NVORNQEL20::ICIMQualifierDecl> Declaration(
        const std::string& name, const NVORNQEL20::TCIMValue& defaultValue,
        NVORNQEL20::ICIMQualifierDecl::EFlavor flavor = NVORNQEL20::ICIMQualifierDecl::eFlavorToSubclass);
    // Allocates and attaches a qualifier (declared from the value when missing).
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> Qualify(NVORNQEL20::ICIMNamedElement& element,
                                                         const std::string& name,
                                                         const NVORNQEL20::TCIMValue& value);
    boost::shared_ptr<NVORNQEL20::ICIMClass> AddClass(
        const std::string& name,
        boost::shared_ptr<NVORNQEL20::ICIMClass> parent = boost::shared_ptr<NVORNQEL20::ICIMClass>());
    boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> AddProperty(NVORNQEL20::ICIMClass& cimClass,
                                                                const std::string& name,
                                                                const NVORNQEL20::TCIMValue& defaultValue,
                                                                bool key = false);

private:
    boost::shared_ptr<NVORNQEL20::TInmemNamespace> fNamespace;
};

// The names the enumeration callbacks of an element receive, in order.
std::vector<std::string> QualifierNames(const NVORNQEL20::ICIMNamedElement& element);

#endif
