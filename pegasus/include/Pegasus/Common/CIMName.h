#ifndef Pegasus_CIMName_h
#define Pegasus_CIMName_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// A CIM element name: a letter, "_" or non-ASCII character first, then
// letters, digits, "_" or non-ASCII characters. Compared without regard to
// case. A default-constructed name is null.
class PEGASUS_COMMON_LINKAGE CIMName
{
public:
    CIMName() = default;
    CIMName(String name);
    CIMName(const char* name);

    static Boolean legal(const String& name);

    const String& getString() const { return _name; }
    Boolean isNull() const { return _name.size() == 0; }
    void clear() { _name.clear(); }
    Boolean equal(const CIMName& other) const { return String::equalNoCase(_name, other._name); }

private:
    String _name;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMName& a, const CIMName& b);
PEGASUS_COMMON_LINKAGE Boolean operator!=(const CIMName& a, const CIMName& b);

// A namespace name such as "root/cimv2": legal names joined by "/".
// A leading "/" is dropped. Compared without regard to case.
class PEGASUS_COMMON_LINKAGE CIMNamespaceName
{
public:
    CIMNamespaceName() = default;
    CIMNamespaceName(const String& name);
    CIMNamespaceName(const char* name);

    static Boolean legal(const String& name);

    const String& getString() const { return _name; }
    Boolean isNull() const { return _name.size() == 0; }
    void clear() { _name.clear(); }
    Boolean equal(const CIMNamespaceName& other) const { return String::equalNoCase(_name, other._name); }

private:
    String _name;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMNamespaceName& a, const CIMNamespaceName& b);
PEGASUS_COMMON_LINKAGE Boolean operator!=(const CIMNamespaceName& a, const CIMNamespaceName& b);

PEGASUS_NAMESPACE_END

#endif
