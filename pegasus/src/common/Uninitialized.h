#ifndef Pegasus_Uninitialized_h
#define Pegasus_Uninitialized_h

#include <Pegasus/Common/Exception.h>
#include <memory>
#include <string>

PEGASUS_NAMESPACE_BEGIN

[[noreturn]] inline void throwUninitialized(const char* kind)
{
    throw UninitializedObjectException(String(std::string("uninitialized ") + kind));
}

// The representation behind a handle, or UninitializedObjectException.
template <class Rep>
Rep& checkedRep(const std::shared_ptr<Rep>& rep, const char* kind)
{
    if (!rep)
        throwUninitialized(kind);
    return *rep;
}

PEGASUS_NAMESPACE_END

#endif
