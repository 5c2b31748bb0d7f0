#include "TInmemMethodDecl.h"

#include <qel/TCIMName.h>
#include <qel/TQELException.h>

#include "InmemTables.h"
#include "TInmemParameterDecl.h"

namespace NVORNQEL20 {

TInmemMethodDecl::TInmemMethodDecl(boost::shared_ptr<ICIMClass> owner, const std::string& name,
                                   TCIMValue::TCIMType returnType)
    : fClass(owner), fName(name), fReturnType(returnType) {}

void TInmemMethodDecl::AddToClass(TCIMContext) {
    boost::shared_ptr<ICIMClass>(fClass)->AddMethodDecl(shared_from_this(), TCIMContext());
}

const std::string& TInmemMethodDecl::GetName(TCIMContext) const { return fName; }

boost::shared_ptr<ICIMClass> TInmemMethodDecl::GetClass(TCIMContext) const { return fClass.lock(); }

TCIMValue::TCIMType TInmemMethodDecl::GetReturnType(TCIMContext) const { return fReturnType; }

boost::shared_ptr<ICIMParameterDecl> TInmemMethodDecl::AllocateParameterDecl(const std::string& name,
                                                                           TCIMValue::TCIMType type, TCIMContext) {
    TCIMName::Normalize(name);
    return boost::make_shared<TInmemParameterDecl>(shared_from_this(), name, type);
}

boost::shared_ptr<ICIMParameterDecl> TInmemMethodDecl::GetParameterDecl(const std::string& name,
                                                                      TCIMContext) const {
    return InmemTables::FindByName(fParameters, name);
}

void TInmemMethodDecl::EnumerateParameterDecls(TParameterDeclCallback& callback, TCIMContext) const {
    InmemTables::EnumerateInOrder(fParameters, callback);
}

void TInmemMethodDecl::AddParameterDecl(boost::shared_ptr<ICIMParameterDecl> parameter) {
    if (!InmemTables::AddByName(fParameters, parameter)) {
        throw TQELException(TQELStatusCode::eAlreadyExists,
                            "method " + fName + " already has a parameter " + parameter->GetName(TCIMContext()));
    }
}

boost::shared_ptr<ICIMNamedElement const> TInmemMethodDecl::SelfAsNamedElement() { return shared_from_this(); }

}  // namespace NVORNQEL20
