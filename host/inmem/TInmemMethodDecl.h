#ifndef QEL_INMEM_TINMEMMETHODDECL_H
#define QEL_INMEM_TINMEMMETHODDECL_H

#include <map>

#include <boost/enable_shared_from_this.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMParameterDecl.h>

#include "TInmemNamedElement.h"

namespace NVORNQEL20 {

// A method declaration of an in-memory class (held weakly); it owns its
// parameter declarations by lower-case name.
class TInmemMethodDecl : public TInmemNamedElement<ICIMMethodDecl>,
                         public boost::enable_shared_from_this<TInmemMethodDecl> {
public:
    TInmemMethodDecl(boost::shared_ptr<ICIMClass> owner, const std::string& name, TCIMValue::TCIMType returnType);

    void AddToClass(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    TCIMValue::TCIMType GetReturnType(TCIMContext context) const override;
    boost::shared_ptr<ICIMParameterDecl> AllocateParameterDecl(const std::string& name, TCIMValue::TCIMType type,
                                                               TCIMContext context) override;
    // Empty when the method has no such parameter.
    boost::shared_ptr<ICIMParameterDecl> GetParameterDecl(const std::string& name,
                                                          TCIMContext context) const override;
    void EnumerateParameterDecls(TParameterDeclCallback& callback, TCIMContext context) const override;

    // Throws TQELException, status 16, for a name the method already has.
    void AddParameterDecl(boost::shared_ptr<ICIMParameterDecl> parameter);

private:
    boost::shared_ptr<ICIMNamedElement const> SelfAsNamedElement() override;

    boost::weak_ptr<ICIMClass> fClass;
    std::string fName;
    TCIMValue::TCIMType fReturnType;
    std::map<std::string, boost::shared_ptr<ICIMParameterDecl>> fParameters;
};

}  // namespace NVORNQEL20

#endif
