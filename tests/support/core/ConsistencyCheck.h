#ifndef TestSupport_ConsistencyCheck_h
#define TestSupport_ConsistencyCheck_h

#include "ResultVisitor.h"

// Reads every value and path of a decoded response the way a client
// would (text forms, comparisons) and aborts when a path is not identical
// to itself; exceptions are left to escape, since none is expected here.
class ConsistencyCheck : public ResultVisitor
{
public:
    void onValue(const Pegasus::CIMValue& value) override;
    void onPath(const Pegasus::CIMObjectPath& path) override;
};

#endif
