#ifndef QEL_INMEM_TINMEMCLASS_H
#define QEL_INMEM_TINMEMCLASS_H

#include <map>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMPropertyDecl.h>

#include "TInmemNamedElement.h"

namespace NVORNQEL20 {

class TInmemNamespace;
class TInmemProperty;

// A class of an in-memory namespace. Its tables hold only what it declares
// itself (its instances see the superclasses' declarations and keys too, see
// TInmemInstance) and it keeps its instances by object path. Namespace and
// superclass are held weakly. Attach a property's qualifiers before the
// property joins its class: instances learn of declarations and keys when
// a class gains or loses a declaration, not when a qualifier changes.
class TInmemClass : public TInmemNamedElement<ICIMClass>, public boost::enable_shared_from_this<TInmemClass> {
public:
    TInmemClass(boost::shared_ptr<TInmemNamespace> nameSpace, const std::string& name,
                boost::shared_ptr<ICIMClass> parent);

    void AddToNamespace(TCIMContext context) override;
    void RemoveFromNamespace(TCIMContext context) override;
    // Classes change through their declarations: status 31.
    void ModifyClass(boost::shared_ptr<ICIMClass> other, TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMNamespace> GetNamespace(TCIMContext context) const override;
    bool IsAssociation(TCIMContext context) const override;
    bool IsAbstract(TCIMContext context) const override;
    // An in-memory namespace has no root pseudo-class: always false.
    bool IsRootClass(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetSuperClass(TCIMContext context) const override;
    void EnumerateSubClasses(TClassCallback callback, bool deep, TCIMContext context) const override;
    // True for this class itself and for each of its superclasses (by name).
    bool IsSubclassOf(boost::shared_ptr<ICIMClass const> other, TCIMContext context) const override;
    // In-memory classes keep no association links: these call nothing.
    void EnumerateAssociatedClasses(TClassCallback callback, const std::string& associationClass,
                                    const std::string& resultClass, const std::string& role,
                                    const std::string& resultRole, TCIMContext context) const override;
    void EnumerateAssociationClasses(TClassCallback callback, const std::string& resultClass,
                                     const std::string& role, TCIMContext context) const override;
    // The properties it declares with a true KEY qualifier, in name order.
    void EnumerateKeyNames(TKeyNameCallback callback, TCIMContext context) const override;
    boost::shared_ptr<ICIMPropertyDecl> AllocatePropertyDecl(const std::string& name, const TCIMValue& defaultValue,
                                                             TCIMContext context) override;
    // Empty when the class declares no such property.
    boost::shared_ptr<ICIMPropertyDecl> GetPropertyDecl(const std::string& name, TCIMContext context) const override;
    void EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext context) const override;
    // Static properties: status 15 for one without a value.
    boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const override;
    void SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext context) override;
    void EnumerateStaticProperties(TPropertyCallback callback, TCIMContext context) const override;
    boost::shared_ptr<ICIMInstance> AllocateInstance(TCIMContext context) override;
    // The filed instances in path order, then (deep) those of the subclasses.
    void EnumerateInstances(TInstanceCallback callback, bool deep, TCIMContext context) override;
    boost::shared_ptr<ICIMMethodDecl> AllocateMethodDecl(const std::string& name, TCIMValue::TCIMType returnType,
                                                         TCIMContext context) override;
    // Empty when the class declares no such method.
    boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(const std::string& name, TCIMContext context) const override;
    void EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext context) const override;
    // In-memory classes run no methods: status 1.
    TCIMValue InvokeMethod(const std::string& methodName, TCIMContext& parameters, TCIMContext context) override;
    bool hasCollected(TCIMContext context) const override;
    void SetCollected(bool collected, TCIMContext context) override;
    // A child of the same name (any letter case) is replaced.
    void AddChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) override;
    void RemoveChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) override;
    // Status 16 for a second instance with the same path.
    void AddInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    // Status 15 when no instance has that path.
    void RemoveInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    void AddAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) override;
    void RemoveAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) override;
    // Status 16 for a name already declared; status 15 to remove an unknown one.
    void AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) override;
    void RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) override;
    void AddMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) override;
    void RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) override;
    // Host and namespace of the reference do not take part in the look-up.
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference, TCIMContext context) const override;

    void ClearInstances();

private:
    boost::shared_ptr<ICIMNamedElement const> SelfAsNamedElement() override;
    boost::shared_ptr<TInmemNamespace> Namespace() const;

    boost::weak_ptr<TInmemNamespace> fNamespace;
    std::string fName;
    boost::weak_ptr<ICIMClass> fParent;
    std::map<std::string, boost::shared_ptr<ICIMPropertyDecl>> fPropertyDecls;
    std::map<std::string, boost::shared_ptr<ICIMMethodDecl>> fMethodDecls;
    std::map<std::string, boost::shared_ptr<TInmemProperty>> fStaticProperties;
    std::vector<boost::shared_ptr<ICIMClass>> fChildren;
    std::map<std::string, boost::shared_ptr<ICIMInstance>> fInstances;
    bool fCollected;
};

}  // namespace NVORNQEL20

#endif
