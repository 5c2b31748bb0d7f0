#ifndef QEL_ICIMCLASS_H
#define QEL_ICIMCLASS_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/ICIMNamedElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMInstance;
class ICIMMethodDecl;
class ICIMNamespace;
class ICIMProperty;
class ICIMPropertyDecl;

// A class of a namespace: qualifiers (from ICIMNamedElement), property and
// method declarations, static properties, subclasses and instances.
class ICIMClass : public ICIMElement, public ICIMNamedElement {
public:
    typedef boost::function<bool(boost::shared_ptr<ICIMClass>)> TClassCallback;
    typedef boost::function<bool(const std::string*)> TKeyNameCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMPropertyDecl>)> TPropertyDeclCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMProperty>)> TPropertyCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMInstance>)> TInstanceCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMMethodDecl>)> TMethodDeclCallback;

    virtual void AddToNamespace(TCIMContext context) = 0;
    virtual void RemoveFromNamespace(TCIMContext context) = 0;
    virtual void ModifyClass(boost::shared_ptr<ICIMClass> other, TCIMContext context) = 0;
    virtual const std::string& GetName(TCIMContext context) const = 0;
    // Empty once the namespace is gone.
    virtual boost::shared_ptr<ICIMNamespace> GetNamespace(TCIMContext context) const = 0;
    virtual bool IsAssociation(TCIMContext context) const = 0;
    virtual bool IsAbstract(TCIMContext context) const = 0;
    virtual bool IsRootClass(TCIMContext context) const = 0;
    virtual boost::shared_ptr<ICIMClass> GetSuperClass(TCIMContext context) const = 0;
    virtual void EnumerateSubClasses(TClassCallback callback, bool deep, TCIMContext context) const = 0;
    virtual bool IsSubclassOf(boost::shared_ptr<ICIMClass const> other, TCIMContext context) const = 0;
    virtual void EnumerateAssociatedClasses(TClassCallback callback, const std::string& associationClass,
                                            const std::string& resultClass, const std::string& role,
                                            const std::string& resultRole, TCIMContext context) const = 0;
    virtual void EnumerateAssociationClasses(TClassCallback callback, const std::string& resultClass,
                                             const std::string& role, TCIMContext context) const = 0;
    // Calls the callback with the name of each key property until it returns false.
    virtual void EnumerateKeyNames(TKeyNameCallback callback, TCIMContext context) const = 0;
    // A new declaration owned by this class, registered by its AddToClass.
    virtual boost::shared_ptr<ICIMPropertyDecl> AllocatePropertyDecl(const std::string& name,
                                                                     const TCIMValue& defaultValue,
                                                                     TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMPropertyDecl> GetPropertyDecl(const std::string& name,
                                                                TCIMContext context) const = 0;
    virtual void EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext context) const = 0;
    virtual boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const = 0;
    virtual void SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext context) = 0;
    virtual void EnumerateStaticProperties(TPropertyCallback callback, TCIMContext context) const = 0;
    // A new instance of this class, added to the namespace by its AddToNamespace.
    virtual boost::shared_ptr<ICIMInstance> AllocateInstance(TCIMContext context) = 0;
    virtual void EnumerateInstances(TInstanceCallback callback, bool deep, TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMMethodDecl> AllocateMethodDecl(const std::string& name,
                                                                 TCIMValue::TCIMType returnType,
                                                                 TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMMethodDecl> GetMethodDecl(const std::string& name,
                                                            TCIMContext context) const = 0;
    virtual void EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext context) const = 0;
    virtual TCIMValue InvokeMethod(const std::string& methodName, TCIMContext& parameters,
                                   TCIMContext context) = 0;
    virtual bool operator==(const ICIMClass& other) const = 0;
    virtual bool operator<(const ICIMClass& other) const = 0;
    virtual ICIMClass& operator=(const ICIMClass& other) = 0;
    virtual bool hasCollected(TCIMContext context) const = 0;
    virtual void SetCollected(bool collected, TCIMContext context) = 0;
    virtual void AddChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) = 0;
    virtual void RemoveChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext context) = 0;
    virtual void AddInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) = 0;
    virtual void RemoveInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) = 0;
    virtual void AddAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) = 0;
    virtual void RemoveAssociationClass(boost::shared_ptr<ICIMClass> association, TCIMContext context) = 0;
    virtual void AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) = 0;
    virtual void RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext context) = 0;
    virtual void AddMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) = 0;
    virtual void RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext context) = 0;
    // The instance of this class with the reference's path, or empty.
    virtual boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference,
                                                        TCIMContext context) const = 0;
};

}  // namespace NVORNQEL20

#endif
