#ifndef Pegasus_DecodeError_h
#define Pegasus_DecodeError_h

#include <Pegasus/Common/Config.h>
#include <string>

PEGASUS_NAMESPACE_BEGIN

// Content that is not a valid CIM-XML response. Thrown while an element is
// read and turned into the decoder's error by the SAX2 handler that read
// it; it never crosses libxml2.
struct DecodeError
{
    std::string message;
};

[[noreturn]] inline void decodeError(std::string message)
{
    throw DecodeError{std::move(message)};
}

PEGASUS_NAMESPACE_END

#endif
