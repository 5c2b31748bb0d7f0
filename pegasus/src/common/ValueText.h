#ifndef Pegasus_ValueText_h
#define Pegasus_ValueText_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/Char16.h>
#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/String.h>
#include <string>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The text forms of scalar CIM values, as CIM-XML writes them, and their
// parsing. Parsers return false for text that is not
// a value of the type; surrounding white space is allowed.
namespace ValueText
{
void appendBoolean(std::string& out, Boolean x);
void appendInteger(std::string& out, Uint64 x);
void appendInteger(std::string& out, Sint64 x);
void appendReal32(std::string& out, Real32 x);
void appendReal64(std::string& out, Real64 x);
void appendChar16(std::string& out, Char16 x);

// The text of one element of any CIM type; a real32 in the fewest digits
// that read back exactly.
void append(std::string& out, Boolean x);
void append(std::string& out, Uint8 x);
void append(std::string& out, Sint8 x);
void append(std::string& out, Uint16 x);
void append(std::string& out, Sint16 x);
void append(std::string& out, Uint32 x);
void append(std::string& out, Sint32 x);
void append(std::string& out, Uint64 x);
void append(std::string& out, Sint64 x);
void append(std::string& out, Real32 x);
void append(std::string& out, Real64 x);
void append(std::string& out, Char16 x);
void append(std::string& out, const String& x);
void append(std::string& out, const CIMDateTime& x);
void append(std::string& out, const CIMObjectPath& x);

Boolean parseBoolean(std::string_view text, Boolean& x);
// Decimal, or hexadecimal with a 0x prefix; the range of T is enforced.
template <class T> Boolean parseInteger(std::string_view text, T& x);
Boolean parseReal32(std::string_view text, Real32& x);
Boolean parseReal64(std::string_view text, Real64& x);
// Exactly one character of the Basic Multilingual Plane, in UTF-8.
Boolean parseChar16(std::string_view text, Char16& x);
// An integer of 64 bits, signed or not, or a real.
Boolean isNumber(std::string_view text);

std::string_view trimmed(std::string_view text);
}

PEGASUS_NAMESPACE_END

#endif
