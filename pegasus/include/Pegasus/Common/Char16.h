#ifndef Pegasus_Char16_h
#define Pegasus_Char16_h

#include <Pegasus/Common/Config.h>

PEGASUS_NAMESPACE_BEGIN

// One UTF-16 code unit, the CIM char16 type.
class PEGASUS_COMMON_LINKAGE Char16
{
public:
    Char16() : _code(0) {}
    Char16(Uint16 code) : _code(code) {}
    operator Uint16() const { return _code; }
    Uint16 getCode() const { return _code; }

private:
    Uint16 _code;
};

inline Boolean operator==(Char16 a, Char16 b) { return a.getCode() == b.getCode(); }
inline Boolean operator!=(Char16 a, Char16 b) { return a.getCode() != b.getCode(); }

PEGASUS_NAMESPACE_END

#endif
