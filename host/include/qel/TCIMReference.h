#ifndef QEL_TCIMREFERENCE_H
#define QEL_TCIMREFERENCE_H

#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMNamespace;

// A CIM object path: optional host and namespace name, a class name and key
// bindings, with the text form "//host/root/cimv2:CIM_Foo.Name=\"a\",Id=1".
// The namespace object is held weakly.
class TCIMReference {
public:
    typedef std::pair<std::string, TCIMValue> TKeyBinding;

    TCIMReference();
    // The key bindings are ordered by name without regard to letter case, as
    // CIM servers write them, so that a path built here and one read from a
    // server compare equal as text.
    TCIMReference(boost::shared_ptr<ICIMNamespace> nameSpace, const TCIMContext& keyBindings,
                  const std::string& className = std::string());
    TCIMReference(boost::shared_ptr<ICIMNamespace> nameSpace, std::vector<TKeyBinding> keyBindings,
                  const std::string& className);

    const std::string& GetClassName() const;
    const std::string& GetHost() const;
    const std::string& GetNamespaceName() const;
    const std::vector<TKeyBinding>& GetKeyBindings() const;

    // The text form. Strings, char16, datetimes and references are quoted
    // (with \" and \\ escaped), booleans are TRUE/FALSE, numbers are bare,
    // and a key without a value is "". Keys keep their order.
    std::string GetPath() const;
    // Reads the text form; quoted keys become strings, bare keys booleans or
    // numbers. The empty text gives the empty reference (what a null reference
    // value reads as). Malformed text throws TQELException (invalid value) and
    // leaves the reference unchanged.
    void SetPath(const std::string& path);

    boost::shared_ptr<ICIMNamespace> GetNamespace() const;
    void SetNamespace(boost::shared_ptr<ICIMNamespace> nameSpace);

    // By path text.
    bool operator==(const TCIMReference& other) const;
    bool operator!=(const TCIMReference& other) const;
    bool operator<(const TCIMReference& other) const;

private:
    boost::weak_ptr<ICIMNamespace> fNamespace;
    std::string fHost;
    std::string fNamespaceName;
    std::string fClassName;
    std::vector<TKeyBinding> fKeyBindings;
};

}  // namespace NVORNQEL20

#endif
