#ifndef TestSupport_ResultVisitor_h
#define TestSupport_ResultVisitor_h

#include "DecodedResponse.h"

// Called for every value and every object path a decoded response holds,
// at any depth: property, qualifier and parameter values, object and
// instance paths, the elements of reference values, and the paths that
// reference keys name.
class ResultVisitor
{
public:
    virtual ~ResultVisitor() = default;
    virtual void onValue(const Pegasus::CIMValue& value) = 0;
    virtual void onPath(const Pegasus::CIMObjectPath& path) = 0;

    void visit(const Pegasus::DecodedResponse& response);

private:
    template <class Element>
    void visitQualifiers(const Element& element);
    template <class Object>
    void visitObject(const Object& object);
    void visitClass(const Pegasus::CIMClass& cimClass);
    void visitValue(const Pegasus::CIMValue& value);
    void visitPath(const Pegasus::CIMObjectPath& path);
};

#endif
