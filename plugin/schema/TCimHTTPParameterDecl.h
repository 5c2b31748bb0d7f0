#ifndef CIMHTTP_SCHEMA_TCIMHTTPPARAMETERDECL_H
#define CIMHTTP_SCHEMA_TCIMHTTPPARAMETERDECL_H

#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMParameterDecl.h>

#include "schema/TCimHTTPQualifierTable.h"

namespace NVORNQEL20 {

class TCimHTTPMethodDecl;

// The declaration of one parameter of a method: its name, type and
// qualifiers. The method is held weakly. Created only inside a shared
// pointer.
class TCimHTTPParameterDecl : public ICIMParameterDecl,
                              public boost::enable_shared_from_this<TCimHTTPParameterDecl> {
public:
    TCimHTTPParameterDecl(boost::shared_ptr<TCimHTTPMethodDecl> method, const std::string& name,
                          TCIMValue::TCIMType type);
    ~TCimHTTPParameterDecl() override;

    void AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext context) override;
    // Both forms give the qualifier the declaration's flavor.
    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, TCIMContext context) override;
    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, ICIMQualifierDecl::EFlavor flavor,
                                                       TCIMContext context) override;
    // Empty when missing.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, TCIMContext context) const override;
    void EnumerateQualifiers(TQualifierCallback callback, TCIMContext context) const override;
    // Not supported on parameters: status 1, whatever the name.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                  TCIMContext context) const override;
    void Validate(TCIMContext context) const override;
    // Registers with the method (status 16 for a name it has already);
    // bad_weak_ptr once the method is gone.
    void AddToMethod(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    // Parameters carry no array flag of their own: that of an empty value.
    bool IsArray(TCIMContext context) const override;
    // By normalized name only.
    bool operator==(const ICIMParameterDecl& other) const override;
    bool operator<(const ICIMParameterDecl& other) const override;
    // Copies nothing.
    ICIMParameterDecl& operator=(const ICIMParameterDecl& other) override;

    TCimHTTPQualifierTable::TLookup LookupQual(const std::string& name) const;
    // Removes the entry under q's name, whichever qualifier it holds; status 15 when none.
    void RemoveQualifier(boost::shared_ptr<ICIMQualifier> qualifier);

private:
    TCimHTTPQualifier::TOwner SelfAsOwner();

    boost::weak_ptr<TCimHTTPMethodDecl> fMethod;
    std::string fName;
    TCIMValue fValue;
    TCIMValue::TCIMType fType;
    TCimHTTPQualifierTable fQualifiers;
};

}  // namespace NVORNQEL20

#endif
