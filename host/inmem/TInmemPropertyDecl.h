#ifndef QEL_INMEM_TINMEMPROPERTYDECL_H
#define QEL_INMEM_TINMEMPROPERTYDECL_H

#include <boost/enable_shared_from_this.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>

#include "TInmemNamedElement.h"

namespace NVORNQEL20 {

// A property declaration of an in-memory class (held weakly).
class TInmemPropertyDecl : public TInmemNamedElement<ICIMPropertyDecl>,
                           public boost::enable_shared_from_this<TInmemPropertyDecl> {
public:
    TInmemPropertyDecl(boost::shared_ptr<ICIMClass> owner, const std::string& name, const TCIMValue& defaultValue);

    void AddToClass(TCIMContext context) override;
    void RemoveFromClass(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    const TCIMValue& GetDefaultValue(TCIMContext context) const override;
    void SetDefaultValue(const TCIMValue& value, TCIMContext context) override;

private:
    boost::shared_ptr<ICIMNamedElement const> SelfAsNamedElement() override;

    boost::weak_ptr<ICIMClass> fClass;
    std::string fName;
    TCIMValue fDefaultValue;
};

}  // namespace NVORNQEL20

#endif
