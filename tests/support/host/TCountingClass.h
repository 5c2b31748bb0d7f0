#ifndef HOST_TESTS_TCOUNTINGCLASS_H
#define HOST_TESTS_TCOUNTINGCLASS_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>

// A class as a remote provider makes them: it counts how often it is asked
// for its superclass (a request to the server each time), and GetPropertyDecl
// counts its calls and throws status 15 for a name it does not declare. Its
// declarations are borrowed from other classes; everything else it refuses
// with status 1.
class TCountingClass : public NVORNQEL20::ICIMClass {
public:
    explicit TCountingClass(const std::string& name);

    void SetSuperClass(const boost::shared_ptr<NVORNQEL20::ICIMClass>& superClass);
    // GetSuperClass throws status 42 from now on.
    void FailSuperClass();
    void Declare(const boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>& declaration);
    int SuperClassCalls() const;
    int PropertyDeclCalls() const;

    typedef NVORNQEL20::TCIMContext TContext;
    typedef NVORNQEL20::ICIMClass TClass;

    const std::string& GetName(TContext) const override;
    boost::shared_ptr<TClass> GetSuperClass(TContext) const override;
    // Keys: the declarations with a true Key qualifier.
    void EnumerateKeyNames(TKeyNameCallback callback, TContext) const override;
    boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> GetPropertyDecl(const std::string& name, TContext) const override;
    void EnumeratePropertyDecls(TPropertyDeclCallback callback, TContext) const override;
    boost::shared_ptr<NVORNQEL20::ICIMNamespace> GetNamespace(TContext) const override { return {}; }

    void Validate(TContext) const override {}
    void AddToNamespace(TContext) override { Refuse(); }
    void RemoveFromNamespace(TContext) override { Refuse(); }
    void ModifyClass(boost::shared_ptr<TClass>, TContext) override { Refuse(); }
    bool IsAssociation(TContext) const override { return false; }
    bool IsAbstract(TContext) const override { return false; }
    bool IsRootClass(TContext) const override { return false; }
    void EnumerateSubClasses(TClassCallback, bool, TContext) const override { Refuse(); }
    bool IsSubclassOf(boost::shared_ptr<TClass const>, TContext) const override { Refuse(); }
    void EnumerateAssociatedClasses(TClassCallback, const std::string&, const std::string&, const std::string&,
                                    const std::string&, TContext) const override { Refuse(); }
    void EnumerateAssociationClasses(TClassCallback, const std::string&, const std::string&,
                                     TContext) const override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> AllocatePropertyDecl(const std::string&,
                                                                         const NVORNQEL20::TCIMValue&,
                                                                         TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMProperty> GetProperty(const std::string&, TContext) const override { Refuse(); }
    void SetPropertyValue(const std::string&, const NVORNQEL20::TCIMValue&, TContext) override { Refuse(); }
    void EnumerateStaticProperties(TPropertyCallback, TContext) const override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMInstance> AllocateInstance(TContext) override { Refuse(); }
    void EnumerateInstances(TInstanceCallback, bool, TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMMethodDecl> AllocateMethodDecl(const std::string&,
                                                                     NVORNQEL20::TCIMValue::TCIMType,
                                                                     TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMMethodDecl> GetMethodDecl(const std::string&,
                                                                TContext) const override { Refuse(); }
    void EnumerateMethodDecls(TMethodDeclCallback, TContext) const override { Refuse(); }
    NVORNQEL20::TCIMValue InvokeMethod(const std::string&, TContext&, TContext) override { Refuse(); }
    bool operator==(const TClass& other) const override { return this == &other; }
    bool operator<(const TClass& other) const override { return this < &other; }
    TClass& operator=(const TClass&) override { return *this; }
    bool hasCollected(TContext) const override { return false; }
    void SetCollected(bool, TContext) override {}
    void AddChildClass(boost::shared_ptr<TClass>, TContext) override { Refuse(); }
    void RemoveChildClass(boost::shared_ptr<TClass>, TContext) override { Refuse(); }
    void AddInstance(boost::shared_ptr<NVORNQEL20::ICIMInstance>, TContext) override { Refuse(); }
    void RemoveInstance(boost::shared_ptr<NVORNQEL20::ICIMInstance>, TContext) override { Refuse(); }
    void AddAssociationClass(boost::shared_ptr<TClass>, TContext) override { Refuse(); }
    void RemoveAssociationClass(boost::shared_ptr<TClass>, TContext) override { Refuse(); }
    void AddPropertyDecl(boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>, TContext) override { Refuse(); }
    void RemovePropertyDecl(boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>, TContext) override { Refuse(); }
    void AddMethodDecl(boost::shared_ptr<NVORNQEL20::ICIMMethodDecl>, TContext) override { Refuse(); }
    void RemoveMethodDecl(boost::shared_ptr<NVORNQEL20::ICIMMethodDecl>, TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMInstance> GetInstance(const NVORNQEL20::TCIMReference&,
                                                            TContext) const override { Refuse(); }
    void AddQualifier(boost::shared_ptr<NVORNQEL20::ICIMQualifier>, TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> AllocateQualifier(
        boost::shared_ptr<NVORNQEL20::ICIMQualifierDecl const>, const NVORNQEL20::TCIMValue&,
        TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> AllocateQualifier(
        boost::shared_ptr<NVORNQEL20::ICIMQualifierDecl const>, const NVORNQEL20::TCIMValue&,
        NVORNQEL20::ICIMQualifierDecl::EFlavor, TContext) override { Refuse(); }
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> GetQualifier(const std::string&,
                                                              TContext) const override { return {}; }
    void EnumerateQualifiers(TQualifierCallback, TContext) const override {}
    boost::shared_ptr<NVORNQEL20::ICIMQualifier> GetQualifier(const std::string&, bool&,
                                                              TContext) const override { Refuse(); }

private:
    [[noreturn]] static void Refuse();

    std::string fName;
    boost::weak_ptr<TClass> fSuperClass;
    bool fSuperClassFails;
    std::vector<boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>> fDeclarations;
    mutable int fSuperClassCalls;
    mutable int fPropertyDeclCalls;
};

#endif
