#include <Pegasus/Common/CIMPropertyList.h>

PEGASUS_NAMESPACE_BEGIN

CIMPropertyList::CIMPropertyList(const Array<CIMName>& propertyNames)
{
    set(propertyNames);
}

void CIMPropertyList::set(const Array<CIMName>& propertyNames)
{
    _isNull = false;
    _names = propertyNames;
}

void CIMPropertyList::clear()
{
    _isNull = true;
    _names.clear();
}

PEGASUS_NAMESPACE_END
