#ifndef CIMHTTP_SCHEMA_TCIMHTTPMETHODDECL_H
#define CIMHTTP_SCHEMA_TCIMHTTPMETHODDECL_H

#include <map>
#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMMethodDecl.h>

#include "schema/TCimHTTPQualifierTable.h"

namespace NVORNQEL20 {

class TCimHTTPClass;
class TCimHTTPParameterDecl;

// The declaration of one method of a class loaded from the CIM server: its
// return type, its parameters (owned, by normalized name) and qualifiers.
// The class is held weakly. Created only inside a shared pointer.
class TCimHTTPMethodDecl : public ICIMMethodDecl, public boost::enable_shared_from_this<TCimHTTPMethodDecl> {
public:
    TCimHTTPMethodDecl(boost::shared_ptr<TCimHTTPClass> cls, const std::string& name, TCIMValue::TCIMType returnType);
    ~TCimHTTPMethodDecl() override;

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
    // Not supported on methods: status 1, whatever the name.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                  TCIMContext context) const override;
    void Validate(TCIMContext context) const override;
    // Hands the declaration to the class; bad_weak_ptr once the class is gone.
    void AddToClass(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    TCIMValue::TCIMType GetReturnType(TCIMContext context) const override;
    boost::shared_ptr<ICIMParameterDecl> AllocateParameterDecl(const std::string& name, TCIMValue::TCIMType type,
                                                               TCIMContext context) override;
    // Status 15 when missing.
    boost::shared_ptr<ICIMParameterDecl> GetParameterDecl(const std::string& name,
                                                          TCIMContext context) const override;
    // In the order of the lower-cased names, not of the method's signature.
    void EnumerateParameterDecls(TParameterDeclCallback& callback, TCIMContext context) const override;
    // By normalized name only.
    bool operator==(const ICIMMethodDecl& other) const override;
    bool operator<(const ICIMMethodDecl& other) const override;
    // Copies nothing.
    ICIMMethodDecl& operator=(const ICIMMethodDecl& other) override;

    // A name already taken (in any letter case) is logged and refused with status 16.
    void AddParameterDecl(boost::shared_ptr<TCimHTTPParameterDecl> parameter);
    // Status 15 when the method has no parameter of that name.
    void RemoveParameterDecl(boost::shared_ptr<TCimHTTPParameterDecl> parameter);

private:
    TCimHTTPQualifier::TOwner SelfAsOwner();

    std::map<std::string, boost::shared_ptr<TCimHTTPParameterDecl>> fParameters;
    TCimHTTPQualifierTable fQualifiers;
    std::string fName;
    TCIMValue::TCIMType fReturnType;
    boost::weak_ptr<TCimHTTPClass> fClass;
};

}  // namespace NVORNQEL20

#endif
