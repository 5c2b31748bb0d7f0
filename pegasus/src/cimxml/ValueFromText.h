#ifndef Pegasus_ValueFromText_h
#define Pegasus_ValueFromText_h

#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/CIMValue.h>
#include <string>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// Typed values from the text of CIM-XML VALUE elements, as the response
// decoder reads them. The texts may be moved from. Throws
// CIMClientXmlException, quoting the text, when one is not a value of the
// type; references have no text form here and are always refused.

CIMValue scalarFromText(CIMType type, std::string& text);

// Elements marked null keep the element type's default value: Array<T>
// has no null elements.
CIMValue arrayFromText(CIMType type, std::vector<std::string>& items, const std::vector<bool>& nullItems);

PEGASUS_NAMESPACE_END

#endif
