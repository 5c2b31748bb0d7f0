#ifndef Pegasus_ElementAccessors_h
#define Pegasus_ElementAccessors_h

#include "NamedElementList.h"

// The add/find/get/remove/count members that classes, instances, methods
// and parameters offer for each list of named elements they own; get hands
// out ConstElement views on a const owner. Owner::rep() holds the
// NamedElementList called `list`.
#define PEGASUS_DEFINE_LIST_ACCESS(Owner, Element, ConstElement, Name, list)                    \
    Owner& Owner::add##Name(const Element& x)                                                  \
    {                                                                                          \
        rep().list.add(x);                                                                     \
        return *this;                                                                          \
    }                                                                                          \
    Uint32 Owner::find##Name(const CIMName& name) const { return rep().list.find(name); }      \
    Element Owner::get##Name(Uint32 index) { return rep().list.get(index); }                   \
    ConstElement Owner::get##Name(Uint32 index) const { return rep().list.get(index); }        \
    void Owner::remove##Name(Uint32 index) { rep().list.remove(index); }                       \
    Uint32 Owner::get##Name##Count() const { return rep().list.size(); }

#endif
