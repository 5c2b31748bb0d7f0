#ifndef CIMHTTP_CLASS_TCIMHTTPCLASS_H
#define CIMHTTP_CLASS_TCIMHTTPCLASS_H

#include <map>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>

#include "class/TCimHTTPInstanceCache.h"
#include "schema/TCimHTTPQualifierTable.h"

namespace NVORNQEL20 {

class TCimHTTPInstance;
class TCimHTTPInstanceBatch;
class TCimHTTPMethodDecl;
class TCimHTTPNamespace;
class TCimHTTPPropertyDecl;

// One CIM class of a remote namespace. Its qualifiers, property and method
// declarations are kept by normalized name. The namespace and the parent
// are held weakly, so a class never keeps them alive; it owns its children.
// Created only inside a shared pointer.
class TCimHTTPClass : public ICIMClass, public boost::enable_shared_from_this<TCimHTTPClass> {
public:
    // The name of each namespace's root class, which has no definition.
    static const char* const kRootClassName;
    // The property every loaded class declares: the node an instance came from.
    static const char* const kNodeIdProperty;

    // The parent argument is not used: the parent is set when the class loads.
    TCimHTTPClass(boost::shared_ptr<TCimHTTPNamespace> nameSpace, int enumerateInstancesTimeout,
                  const std::string& name, boost::shared_ptr<TCimHTTPClass> parent);
    ~TCimHTTPClass() override;

    void Validate(TCIMContext context) const override;
    // Caches the class in its namespace and makes it a child of its parent.
    void AddToNamespace(TCIMContext context) override;
    // Remote classes cannot be changed: status 31.
    void RemoveFromNamespace(TCIMContext context) override;
    void ModifyClass(boost::shared_ptr<ICIMClass> other, TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMNamespace> GetNamespace(TCIMContext context) const override;
    // True when the qualifier ASSOCIATION (ABSTRACT) is set and true.
    bool IsAssociation(TCIMContext context) const override;
    bool IsAbstract(TCIMContext context) const override;
    // Connected: whether the namespace answers this class's name with its
    // root class. Otherwise: whether the parent is the root class.
    bool IsRootClass(TCIMContext context) const override;
    // The namespace's class of the superclass the server names; see the definition.
    boost::shared_ptr<ICIMClass> GetSuperClass(TCIMContext context) const override;
    // Depth first, each child before its own subclasses (deep); a false
    // from the callback ends the walk of the class whose child it was.
    void EnumerateSubClasses(TClassCallback callback, bool deep, TCIMContext context) const override;
    // True for this class's own name, for any class named like one up its
    // parents, and for the root class.
    bool IsSubclassOf(boost::shared_ptr<ICIMClass const> other, TCIMContext context) const override;
    // No association class is ever registered with a class, so neither walk
    // calls its callback: they only look classes up, which may load them.
    // Associated: the association class, then the result class.
    void EnumerateAssociatedClasses(TClassCallback callback, const std::string& associationClass,
                                    const std::string& resultClass, const std::string& role,
                                    const std::string& resultRole, TCIMContext context) const override;
    // Association: the result class, then every superclass up to the root.
    void EnumerateAssociationClasses(TClassCallback callback, const std::string& resultClass,
                                     const std::string& role, TCIMContext context) const override;
    // The properties whose KEY qualifier is true, in name order.
    void EnumerateKeyNames(TKeyNameCallback callback, TCIMContext context) const override;
    boost::shared_ptr<ICIMPropertyDecl> AllocatePropertyDecl(const std::string& name, const TCIMValue& defaultValue,
                                                             TCIMContext context) override;
    // Status 15 when missing, except for DateTimeOfCollection, which gives empty.
    boost::shared_ptr<ICIMPropertyDecl> GetPropertyDecl(const std::string& name, TCIMContext context) const override;
    void EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext context) const override;
    // Status 15 when missing, which every name is.
    boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const override;
    // Status 31.
    void SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext context) override;
    void EnumerateStaticProperties(TPropertyCallback callback, TCIMContext context) const override;
    boost::shared_ptr<ICIMInstance> AllocateInstance(TCIMContext context) override;
    void EnumerateInstances(TInstanceCallback callback, bool deep, TCIMContext context) override;
    boost::shared_ptr<ICIMMethodDecl> AllocateMethodDecl(const std::string& name, TCIMValue::TCIMType returnType,
                                                         TCIMContext context) override;
    // Empty when missing.
    boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(const std::string& name, TCIMContext context) const override;
    void EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext context) const override;
    // Without an object there is nothing to call: a null value.
    TCIMValue InvokeMethod(const std::string& methodName, TCIMContext& parameters, TCIMContext context) override;
    // By exact name (case-sensitive).
    bool operator==(const ICIMClass& other) const override;
    bool operator<(const ICIMClass& other) const override;
    // Copies nothing.
    ICIMClass& operator=(const ICIMClass& other) override;
    bool hasCollected(TCIMContext context) const override;
    void SetCollected(bool collected, TCIMContext context) override;
    // Appends the child, dropping an earlier child of the same name.
    void AddChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) override;
    void RemoveChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) override;
    void AddInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    void RemoveInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    void AddAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) override;
    void RemoveAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) override;
    // Enforces the override rules; see the definition.
    void AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) override;
    void RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) override;
    void AddMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) override;
    void RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) override;
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference, TCIMContext context) const override;

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
    // Not supported on classes: status 1.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                  TCIMContext context) const override;

    // Runs the method on the object on the first node's server, with the
    // enumerate-instances time-out, and returns its return value. Output
    // parameters are added to outParameters, never replacing an entry of the
    // same name. A failed call gives what a null value converts to, and no
    // outputs; an object path or namespace name the client library cannot
    // read throws its exception. A namespace that is gone or has no first
    // node gives a null value.
    virtual TCIMValue InvokeMethod(const TCIMReference& object, const std::string& methodName,
                                   const TCIMContext& inParameters, TCIMContext& outParameters,
                                   TCIMContext context);

    // Loads the definition from every node, once: a class whose parent is
    // set has been initialized. A class the host's union namespace holds is
    // not loaded.
    void Initialize();
    // Takes over the children of the class this one replaces in the cache.
    void TakeChildrenOf(TCimHTTPClass& replaced);
    // Lets go of the children, which a host may have linked in a circle.
    void ReleaseChildren();
    // A declaration of kNodeIdProperty, a string empty by default; not added.
    boost::shared_ptr<TCimHTTPPropertyDecl> AllocateNodeIdDecl();
    // What enumerating the class's instances waits for, in milliseconds.
    int GetEnumerateInstancesTimeout() const;

    // Whether the namespace has more than one node.
    bool IsMultiNode() const;
    // Empties this class and every class below it through the children:
    // instances, children, qualifiers, declarations. The parent stays, so
    // the definition is not loaded again.
    void ClearInstances();
    // The management controller's firmware build prefix and the SLP service
    // type it gives; "" on any failure, which is logged.
    std::string GetTarnVersion() const;
    std::string GetTarnServiceType() const;

private:
    friend class TCimHTTPClassLoader;
    typedef std::map<std::string, boost::shared_ptr<TCimHTTPPropertyDecl>> TPropertyDecls;
    typedef std::vector<boost::shared_ptr<TCimHTTPClass>> TChildren;

    TCimHTTPQualifier::TOwner SelfAsOwner();
    bool HasTrueQualifier(const std::string& name) const;
    bool IsInUnionNamespace(TCimHTTPNamespace& nameSpace) const;
    // The namespace while it lives; otherwise empty, and the operation logs why.
    boost::shared_ptr<TCimHTTPNamespace> LiveNamespace(const char* operation) const;
    void LookUpSuperClasses(const TCimHTTPNamespace& nameSpace) const;
    boost::shared_ptr<ICIMClass> SuperClassFromServer(TCimHTTPNamespace& nameSpace) const;
    bool DeclaresOverride(const ICIMPropertyDecl& declaration) const;
    void CheckOverride(const ICIMPropertyDecl& declaration, TPropertyDecls::const_iterator existing) const;
    void EnumerateInstancesOnWalk(const TInstanceCallback& callback, bool deep,
                                  std::vector<const TCimHTTPClass*>& walk);
    void ReadInstances(bool deep);
    void ReadEveryNode(TCimHTTPNamespace& nameSpace, bool deep, TCimHTTPInstanceBatch& read);
    void ClearOwnTables();

    boost::weak_ptr<TCimHTTPNamespace> fNamespace;
    std::string fName;
    boost::weak_ptr<TCimHTTPClass> fParent;
    TCimHTTPQualifierTable fQualifiers;
    TPropertyDecls fPropertyDecls;
    // Class-level property values: nothing puts any here.
    std::map<std::string, boost::shared_ptr<ICIMProperty>> fStaticProperties;
    TChildren fChildren;
    std::map<std::string, boost::shared_ptr<TCimHTTPMethodDecl>> fMethodDecls;
    int fEnumerateInstancesTimeout;
    // The instances of the last enumeration (and those added since) by path.
    TCimHTTPInstanceCache fInstances;
};

}  // namespace NVORNQEL20

#endif
