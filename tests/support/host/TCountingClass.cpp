#include "TCountingClass.h"

#include <qel/ICIMQualifier.h>
#include <qel/TCIMName.h>
#include <qel/TQELException.h>

using namespace NVORNQEL20;

TCountingClass::TCountingClass(const std::string& name)
    : fName(name), fSuperClassFails(false), fSuperClassCalls(0), fPropertyDeclCalls(0) {}

void TCountingClass::SetSuperClass(const boost::shared_ptr<ICIMClass>& superClass) { fSuperClass = superClass; }

void TCountingClass::FailSuperClass() { fSuperClassFails = true; }

void TCountingClass::Declare(const boost::shared_ptr<ICIMPropertyDecl>& declaration) {
    fDeclarations.push_back(declaration);
}

int TCountingClass::SuperClassCalls() const { return fSuperClassCalls; }

int TCountingClass::PropertyDeclCalls() const { return fPropertyDeclCalls; }

const std::string& TCountingClass::GetName(TContext) const { return fName; }

boost::shared_ptr<ICIMClass> TCountingClass::GetSuperClass(TContext) const {
    ++fSuperClassCalls;
    if (fSuperClassFails) {
        throw TQELException(TQELStatusCode::eConnectionSetupFailed, "no server for " + fName);
    }
    return fSuperClass.lock();
}

void TCountingClass::EnumerateKeyNames(TKeyNameCallback callback, TContext) const {
    for (const boost::shared_ptr<ICIMPropertyDecl>& declaration : fDeclarations) {
        boost::shared_ptr<ICIMQualifier> key = declaration->GetQualifier("Key", TContext());
        if (key && static_cast<bool>(key->GetValue(TContext())) && !callback(&declaration->GetName(TContext()))) {
            return;
        }
    }
}

boost::shared_ptr<ICIMPropertyDecl> TCountingClass::GetPropertyDecl(const std::string& name, TContext) const {
    ++fPropertyDeclCalls;
    for (const boost::shared_ptr<ICIMPropertyDecl>& declaration : fDeclarations) {
        if (TCIMName::EqualNoCase(declaration->GetName(TContext()), name)) {
            return declaration;
        }
    }
    throw TQELException(TQELStatusCode::eNotFound, "class " + fName + " declares no property " + name);
}

void TCountingClass::EnumeratePropertyDecls(TPropertyDeclCallback callback, TContext) const {
    for (const boost::shared_ptr<ICIMPropertyDecl>& declaration : fDeclarations) {
        if (!callback(declaration)) {
            return;
        }
    }
}

void TCountingClass::Refuse() { throw TQELException(TQELStatusCode::eNotSupported, "not a test class's job"); }
