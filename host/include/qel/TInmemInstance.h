#ifndef QEL_TINMEMINSTANCE_H
#define QEL_TINMEMINSTANCE_H

#include <map>
#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>

namespace NVORNQEL20 {

class TInmemProperty;

// An instance held in memory: property values by lower-case name, checked
// against the declarations of its class (held weakly). Create it inside a
// boost::shared_ptr; it hands out pointers to itself.
class TInmemInstance : public ICIMInstance, public boost::enable_shared_from_this<TInmemInstance> {
public:
    // Which properties EnumerateProperties lists.
    enum EPropertyMode {
        eOwnPropertiesOnly = 0,     // those given a value
        eAllDeclaredProperties = 1  // every declared one, unset ones with their defaults
    };

    TInmemInstance(boost::shared_ptr<ICIMClass> cimClass, int propertyMode);

    // Every key property must have a value: status 4 otherwise.
    void Validate(TCIMContext context) const override;
    // Validates and files the instance in its class.
    void AddToNamespace(TCIMContext context) override;
    void ModifyInstance(boost::shared_ptr<ICIMInstance> other, TCIMContext context) override;
    void Delete(TCIMContext context) override;
    // The class name and the values of the key properties.
    TCIMReference GetReference(TCIMContext context) const override;
    boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const override;
    // In-memory instances keep no association links: these call nothing.
    void EnumerateAssociatedInstances(TInstanceCallback callback, const std::string& associationClass,
                                      const std::string& resultClass, const std::string& role,
                                      const std::string& resultRole, TCIMContext context) const override;
    void EnumerateAssociationInstances(TInstanceCallback callback, const std::string& resultClass,
                                       const std::string& role, TCIMContext context) const override;
    boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const override;
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
    boost::shared_ptr<ICIMClass> Class() const;
    boost::shared_ptr<TInmemProperty> PropertyFor(const std::string& name) const;
    void CopyPropertyValuesFrom(const ICIMInstance& other);

    boost::weak_ptr<ICIMClass> fClass;
    EPropertyMode fPropertyMode;
    mutable std::map<std::string, boost::shared_ptr<TInmemProperty>> fProperties;
};

}  // namespace NVORNQEL20

#endif
