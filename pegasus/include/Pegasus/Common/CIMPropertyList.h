#ifndef Pegasus_CIMPropertyList_h
#define Pegasus_CIMPropertyList_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMName.h>

PEGASUS_NAMESPACE_BEGIN

// The properties an operation should return. A null list (the default)
// asks for all of them; an empty list asks for none.
class PEGASUS_COMMON_LINKAGE CIMPropertyList
{
public:
    CIMPropertyList() = default;
    CIMPropertyList(const Array<CIMName>& propertyNames);

    Boolean isNull() const { return _isNull; }
    Uint32 size() const { return _names.size(); }
    const CIMName& operator[](Uint32 index) const { return _names[index]; }
    const Array<CIMName>& getPropertyNameArray() const { return _names; }
    void set(const Array<CIMName>& propertyNames);
    void clear();

private:
    Boolean _isNull = true;
    Array<CIMName> _names;
};

PEGASUS_NAMESPACE_END

#endif
