#ifndef CIMHTTP_SCHEMA_TCIMHTTPPROPERTYDECL_H
#define CIMHTTP_SCHEMA_TCIMHTTPPROPERTYDECL_H

#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMPropertyDecl.h>

#include "schema/TCimHTTPQualifierTable.h"

namespace NVORNQEL20 {

class TCimHTTPClass;

// The declaration of one property of a class loaded from the CIM server:
// its type is that of its default value, which carries the array flag even
// when it holds no data. The class is held weakly. Created only inside a
// shared pointer.
class TCimHTTPPropertyDecl : public ICIMPropertyDecl, public boost::enable_shared_from_this<TCimHTTPPropertyDecl> {
public:
    TCimHTTPPropertyDecl(boost::shared_ptr<TCimHTTPClass> cls, const std::string& name, const TCIMValue& defaultValue);
    ~TCimHTTPPropertyDecl() override;

    void AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext context) override;
    // Both forms give the qualifier the declaration's flavor.
    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, TCIMContext context) override;
    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, ICIMQualifierDecl::EFlavor flavor,
                                                       TCIMContext context) override;
    // Status 15 when missing.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, TCIMContext context) const override;
    void EnumerateQualifiers(TQualifierCallback callback, TCIMContext context) const override;
    // Never throws for a missing qualifier: found is false and the result empty.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                  TCIMContext context) const override;
    void Validate(TCIMContext context) const override;
    // Registers with the class; bad_weak_ptr once the class is gone.
    void AddToClass(TCIMContext context) override;
    void RemoveFromClass(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    const TCIMValue& GetDefaultValue(TCIMContext context) const override;
    void SetDefaultValue(const TCIMValue& value, TCIMContext context) override;
    // By normalized name only.
    bool operator==(const ICIMPropertyDecl& other) const override;
    bool operator<(const ICIMPropertyDecl& other) const override;
    // Copies nothing.
    ICIMPropertyDecl& operator=(const ICIMPropertyDecl& other) override;

    TCimHTTPQualifierTable::TLookup LookupQualifier(const std::string& name) const;
    // Removes the entry under q's name, whichever qualifier it holds; status 15 when none.
    void RemoveQualifier(boost::shared_ptr<ICIMQualifier> qualifier);

private:
    TCimHTTPQualifier::TOwner SelfAsOwner();

    std::string fName;
    boost::weak_ptr<TCimHTTPClass> fClass;
    TCIMValue fDefaultValue;
    TCimHTTPQualifierTable fQualifiers;
};

}  // namespace NVORNQEL20

#endif
