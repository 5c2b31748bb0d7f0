#ifndef QEL_ICIMMETHODDECL_H
#define QEL_ICIMMETHODDECL_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/ICIMNamedElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMClass;
class ICIMParameterDecl;

// The declaration of a method of a class: return type and parameters.
class ICIMMethodDecl : public ICIMNamedElement, public ICIMElement {
public:
    typedef boost::function<bool(boost::shared_ptr<ICIMParameterDecl>)> TParameterDeclCallback;

    virtual void AddToClass(TCIMContext context) = 0;
    virtual const std::string& GetName(TCIMContext context) const = 0;
    // The owning class; empty once it is gone.
    virtual boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const = 0;
    virtual TCIMValue::TCIMType GetReturnType(TCIMContext context) const = 0;
    // A new parameter owned by this method, registered by its AddToMethod.
    virtual boost::shared_ptr<ICIMParameterDecl> AllocateParameterDecl(const std::string& name,
                                                                       TCIMValue::TCIMType type,
                                                                       TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMParameterDecl> GetParameterDecl(const std::string& name,
                                                                  TCIMContext context) const = 0;
    // Calls the callback for each parameter in name order until it returns false.
    virtual void EnumerateParameterDecls(TParameterDeclCallback& callback, TCIMContext context) const = 0;
    virtual bool operator==(const ICIMMethodDecl& other) const = 0;
    virtual bool operator<(const ICIMMethodDecl& other) const = 0;
    virtual ICIMMethodDecl& operator=(const ICIMMethodDecl& other) = 0;
};

}  // namespace NVORNQEL20

#endif
