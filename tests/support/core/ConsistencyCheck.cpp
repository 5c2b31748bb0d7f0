#include "ConsistencyCheck.h"

#include "Expect.h"

PEGASUS_USING_PEGASUS;

void ConsistencyCheck::onValue(const CIMValue& value)
{
    (void)value.toString();
    expect(value.isArray() || value.getArraySize() == 0, "a scalar value has an array size");
    // Reals may hold NaN, which equals nothing; the comparison still runs.
    const bool selfEqual = value.equal(CIMValue(value));
    expect(selfEqual || value.getType() == CIMTYPE_REAL32 || value.getType() == CIMTYPE_REAL64,
           "a value differs from its copy");
}

void ConsistencyCheck::onPath(const CIMObjectPath& path)
{
    (void)path.toString();
    expect(path.identical(CIMObjectPath(path)), "a path differs from its copy");
}
