#ifndef QEL_ICIMINSTANCE_H
#define QEL_ICIMINSTANCE_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMClass;
class ICIMProperty;

// An instance of a class: property values by (case-insensitive) name.
class ICIMInstance : public ICIMElement {
public:
    typedef boost::function<bool(boost::shared_ptr<ICIMInstance>)> TInstanceCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMProperty>)> TPropertyCallback;

    virtual void AddToNamespace(TCIMContext context) = 0;
    // Takes over the property values of the other instance.
    virtual void ModifyInstance(boost::shared_ptr<ICIMInstance> other, TCIMContext context) = 0;
    virtual void Delete(TCIMContext context) = 0;
    // The object path made of the class name and the key property values.
    virtual TCIMReference GetReference(TCIMContext context) const = 0;
    virtual TCIMReference BuildPath(TCIMContext context) const { return GetReference(context); }
    // Empty once the class is gone.
    virtual boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const = 0;
    virtual std::string GetPegasusNSPStr() const { return std::string(); }
    virtual void EnumerateAssociatedInstances(TInstanceCallback callback, const std::string& associationClass,
                                              const std::string& resultClass, const std::string& role,
                                              const std::string& resultRole, TCIMContext context) const = 0;
    virtual void EnumerateAssociationInstances(TInstanceCallback callback, const std::string& resultClass,
                                               const std::string& role, TCIMContext context) const = 0;
    // Throws TQELException, status 15, for a name the class does not declare.
    virtual boost::shared_ptr<ICIMProperty> GetProperty(const std::string& name, TCIMContext context) const = 0;
    virtual void SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext context) = 0;
    // Calls the callback for each property in name order until it returns false.
    virtual void EnumerateProperties(TPropertyCallback callback, TCIMContext context) const = 0;
    virtual TCIMValue InvokeMethod(const std::string& methodName, TCIMContext& parameters,
                                   TCIMContext context) = 0;
    virtual bool operator==(const ICIMInstance& other) const = 0;
    virtual bool operator<(const ICIMInstance& other) const = 0;
    virtual ICIMInstance& operator=(const ICIMInstance& other) = 0;
};

}  // namespace NVORNQEL20

#endif
