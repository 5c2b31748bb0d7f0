#ifndef Pegasus_CIMObjectPath_h
#define Pegasus_CIMObjectPath_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

class CIMValue;
class CIMObjectPath;

// One key of an instance path. Reference keys hold the referenced path in
// its text form.
class PEGASUS_COMMON_LINKAGE CIMKeyBinding
{
public:
    enum Type { BOOLEAN, STRING, NUMERIC, REFERENCE };

    CIMKeyBinding();
    CIMKeyBinding(CIMName name, String value, Type type);
    CIMKeyBinding(const CIMName& name, const CIMObjectPath& reference);
    // From a typed value, its text as CIMValue::toString() writes it:
    // boolean, integers and reals become BOOLEAN or NUMERIC,
    // char16/string/datetime STRING, references REFERENCE. Throws
    // TypeMismatchException for arrays and null values.
    CIMKeyBinding(const CIMName& name, const CIMValue& value);

    const CIMName& getName() const { return _name; }
    void setName(const CIMName& name) { _name = name; }
    const String& getValue() const { return _value; }
    void setValue(const String& value) { _value = value; }
    Type getType() const { return _type; }
    void setType(Type type) { _type = type; }
    Boolean equal(const CIMKeyBinding& other) const;

private:
    CIMName _name;
    String _value;
    Type _type;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMKeyBinding& a, const CIMKeyBinding& b);

// The path of a class or an instance: host, namespace, class name and, for
// instances, key bindings. Its text form is
//   //host/namespace:ClassName.key1="string",key2=42,key3=TRUE
// with each part present only when set, string and reference values quoted
// and '"' and '\' inside them escaped with '\'.
class PEGASUS_COMMON_LINKAGE CIMObjectPath
{
public:
    CIMObjectPath() = default;
    // Parses the text form; throws MalformedObjectNameException.
    CIMObjectPath(const String& text);
    CIMObjectPath(const char* text);
    CIMObjectPath(const String& host,
                  const CIMNamespaceName& nameSpace,
                  const CIMName& className,
                  const Array<CIMKeyBinding>& keyBindings = Array<CIMKeyBinding>());

    void set(const String& text);
    void set(const String& host,
             const CIMNamespaceName& nameSpace,
             const CIMName& className,
             const Array<CIMKeyBinding>& keyBindings = Array<CIMKeyBinding>());
    void clear();

    const String& getHost() const { return _host; }
    void setHost(const String& host) { _host = host; }
    const CIMNamespaceName& getNameSpace() const { return _nameSpace; }
    void setNameSpace(const CIMNamespaceName& nameSpace) { _nameSpace = nameSpace; }
    const CIMName& getClassName() const { return _className; }
    void setClassName(const CIMName& className) { _className = className; }
    const Array<CIMKeyBinding>& getKeyBindings() const { return _keyBindings; }
    void setKeyBindings(const Array<CIMKeyBinding>& keyBindings) { _keyBindings = keyBindings; }
    void setKeyBindings(Array<CIMKeyBinding>&& keyBindings) { _keyBindings = std::move(keyBindings); }
    void addKeyBinding(CIMKeyBinding&& keyBinding) { _keyBindings.append(std::move(keyBinding)); }

    String toString() const;
    // Equal host, namespace and class name, and the same keys in any order.
    Boolean identical(const CIMObjectPath& other) const;

private:
    String _host;
    CIMNamespaceName _nameSpace;
    CIMName _className;
    Array<CIMKeyBinding> _keyBindings;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMObjectPath& a, const CIMObjectPath& b);
PEGASUS_COMMON_LINKAGE Boolean operator!=(const CIMObjectPath& a, const CIMObjectPath& b);

PEGASUS_NAMESPACE_END

#endif
