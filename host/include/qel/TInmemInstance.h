#ifndef QEL_TINMEMINSTANCE_H
#define QEL_TINMEMINSTANCE_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/TInmemProperty.h>

namespace NVORNQEL20 {

class TInmemLineage;

// An instance held in memory: property values by lower-case name, checked
// against their declarations (held weakly). Create it inside a
// boost::shared_ptr; it hands out pointers to itself, and its properties
// live inside it: a property handed out keeps the instance alive.
//
// A class may declare only what it defines or overrides, so a name is bound
// to the declaration nearest to the class up its superclass chain, and the
// key names are those of the class and all its superclasses. The chain is
// walked once per class, not per instance (TInmemLineageCache), with no
// GetPropertyDecl calls: the classes' EnumeratePropertyDecls and
// EnumerateKeyNames are asked once each. A name declared nowhere on the chain
// is bound, when first set, to a declaration the instance makes for it with
// the type of that first value (and no qualifiers).
class TInmemInstance : public ICIMInstance, public boost::enable_shared_from_this<TInmemInstance> {
public:
    // Which properties EnumerateProperties lists.
    enum EPropertyMode {
        eOwnPropertiesOnly = 0,     // those given a value
        eAllDeclaredProperties = 1  // those declared by the class or a superclass, unset ones with their
                                    // defaults, and those set under a name declared nowhere
    };

    // A propertyMode other than 0 counts as eAllDeclaredProperties.
    TInmemInstance(boost::shared_ptr<ICIMClass> cimClass, int propertyMode);

    // Every key property must have a value: status 4 otherwise.
    void Validate(TCIMContext context) const override;
    // Validates and files the instance in its class.
    void AddToNamespace(TCIMContext context) override;
    void ModifyInstance(boost::shared_ptr<ICIMInstance> other, TCIMContext context) override;
    void Delete(TCIMContext context) override;
    // The class name and the values of the key properties, ordered by name
    // without regard to letter case (as CIM servers write paths).
    TCIMReference GetReference(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    // In-memory instances keep no association links: these call nothing.
    void EnumerateAssociatedInstances(TInstanceCallback callback, const std::string& associationClass,
                                      const std::string& resultClass, const std::string& role,
                                      const std::string& resultRole, TCIMContext context) const override;
    void EnumerateAssociationInstances(TInstanceCallback callback, const std::string& resultClass,
                                       const std::string& role, TCIMContext context) const override;
    // Status 15 for a name declared nowhere on the chain and never set.
    boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const override;
    // Status 14 for a value that does not fit the property's declaration.
    void SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext context) override;
    void EnumerateProperties(TPropertyCallback callback, TCIMContext context) const override;
    // Runs the class's method.
    TCIMValue InvokeMethod(const std::string& methodName, TCIMContext& parameters, TCIMContext context) override;
    // By object path.
    bool operator==(const ICIMInstance& other) const override;
    bool operator<(const ICIMInstance& other) const override;
    // Takes over the other's property values.
    ICIMInstance& operator=(const ICIMInstance& other) override;

private:
    // One property per declaration of a lineage, in its order, each made on
    // the first use of its name. Made once, never resized: the properties
    // handed out point into it.
    typedef std::vector<std::optional<TInmemProperty>> TSlots;
    // Properties bound apart from the slots: names declared nowhere, and
    // names first used after a schema change (bound to the newer lineage).
    typedef std::map<std::string, TInmemProperty> TExtraProperties;

    boost::shared_ptr<ICIMClass> Class() const;
    boost::shared_ptr<const TInmemLineage> CurrentLineage() const;
    // The property of the lower-case name, bound on first use to its
    // declaration; null when the name is declared nowhere and was never set.
    TInmemProperty* FindProperty(const std::string& key) const;
    TInmemProperty* BoundProperty(const std::string& key, std::size_t slot) const;
    TInmemProperty* BindSlot(std::size_t slot) const;
    TInmemProperty* BindApart(const TInmemLineage& lineage, std::size_t index) const;
    TInmemProperty& BindExtra(const std::string& key, boost::shared_ptr<ICIMPropertyDecl const> declaration) const;
    void AdoptLineage(const boost::shared_ptr<const TInmemLineage>& lineage) const;
    TInmemProperty& PropertyFor(const std::string& name) const;
    // A pointer to the property that keeps this instance alive.
    boost::shared_ptr<TInmemProperty> Handle(TInmemProperty& property) const;
    void BindEveryDeclaration() const;
    // Every bound property in lower-case name order, until visit returns false.
    template <typename TVisit>
    void VisitBound(TVisit visit) const;
    void CopyPropertyValuesFrom(const ICIMInstance& other);

    boost::weak_ptr<ICIMClass> fClass;
    EPropertyMode fPropertyMode;
    // The lineage of the class when a property was first looked up: the slots' order.
    mutable boost::shared_ptr<const TInmemLineage> fLineage;
    mutable TSlots fSlots;
    mutable TExtraProperties fExtraProperties;
    // The lineage whose declarations are all bound, once EnumerateProperties has bound them.
    mutable boost::shared_ptr<const TInmemLineage> fBoundLineage;
    // The declarations made for names declared nowhere (properties hold theirs weakly).
    std::vector<boost::shared_ptr<ICIMPropertyDecl>> fOwnDeclarations;
};

}  // namespace NVORNQEL20

#endif
