#include "TInmemParameterDecl.h"

#include "TInmemMethodDecl.h"

namespace NVORNQEL20 {

TInmemParameterDecl::TInmemParameterDecl(boost::shared_ptr<TInmemMethodDecl> method, const std::string& name,
                                         TCIMValue::TCIMType type)
    : fMethod(method), fName(name), fType(type) {}

void TInmemParameterDecl::AddToMethod(TCIMContext) {
    boost::shared_ptr<TInmemMethodDecl>(fMethod)->AddParameterDecl(shared_from_this());
}

const std::string& TInmemParameterDecl::GetName(TCIMContext) const { return fName; }

boost::shared_ptr<ICIMMethodDecl> TInmemParameterDecl::GetMethodDecl(TCIMContext) const { return fMethod.lock(); }

TCIMValue::TCIMType TInmemParameterDecl::GetType(TCIMContext) const { return fType; }

bool TInmemParameterDecl::IsArray(TCIMContext) const { return fType.IsArray(); }

boost::shared_ptr<ICIMNamedElement const> TInmemParameterDecl::SelfAsNamedElement() { return shared_from_this(); }

}  // namespace NVORNQEL20
