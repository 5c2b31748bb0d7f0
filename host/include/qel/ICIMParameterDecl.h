#ifndef QEL_ICIMPARAMETERDECL_H
#define QEL_ICIMPARAMETERDECL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/ICIMNamedElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMMethodDecl;

// The declaration of one parameter of a method.
class ICIMParameterDecl : public ICIMNamedElement, public ICIMElement {
public:
    virtual void AddToMethod(TCIMContext context) = 0;
    virtual const std::string& GetName(TCIMContext context) const = 0;
    // The owning method; empty once it is gone.
    virtual boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(TCIMContext context) const = 0;
    virtual TCIMValue::TCIMType GetType(TCIMContext context) const = 0;
    virtual bool IsArray(TCIMContext context) const = 0;
    virtual bool operator==(const ICIMParameterDecl& other) const = 0;
    virtual bool operator<(const ICIMParameterDecl& other) const = 0;
    virtual ICIMParameterDecl& operator=(const ICIMParameterDecl& other) = 0;
};

}  // namespace NVORNQEL20

#endif
