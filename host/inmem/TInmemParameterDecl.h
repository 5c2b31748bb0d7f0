#ifndef QEL_INMEM_TINMEMPARAMETERDECL_H
#define QEL_INMEM_TINMEMPARAMETERDECL_H

#include <boost/enable_shared_from_this.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMParameterDecl.h>

#include "TInmemNamedElement.h"

namespace NVORNQEL20 {

class TInmemMethodDecl;

// A parameter declaration of an in-memory method (held weakly).
class TInmemParameterDecl : public TInmemNamedElement<ICIMParameterDecl>,
                            public boost::enable_shared_from_this<TInmemParameterDecl> {
public:
    TInmemParameterDecl(boost::shared_ptr<TInmemMethodDecl> method, const std::string& name,
                        TCIMValue::TCIMType type);

    void AddToMethod(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;

private:
    boost::shared_ptr<ICIMNamedElement const> SelfAsNamedElement() override;

    boost::weak_ptr<TInmemMethodDecl> fMethod;
    std::string fName;
    TCIMValue::TCIMType fType;
};

}  // namespace NVORNQEL20

#endif
