#pragma once
// Inheritance as a CIMOM applies it: a subclass gets its superclass's
// properties and methods (marked PROPAGATED, keeping their CLASSORIGIN) ahead
// of its own; an overriding element keeps the origin of the one it overrides
// and inherits that one's qualifiers that flow to subclasses.

#include "testcimom/CimModel.h"

namespace testcimom {

class ClassResolver {
public:
    // superClass is the resolved superclass, or null for a top class.
    static CimClass resolve(const CimClass& localClass, const CimClass* superClass);
    // The class as declared: no propagated element or qualifier.
    static CimClass localOnly(const CimClass& resolvedClass);
};

}  // namespace testcimom
