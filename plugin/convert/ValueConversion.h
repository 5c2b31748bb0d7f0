#ifndef CIMHTTP_CONVERT_VALUECONVERSION_H
#define CIMHTTP_CONVERT_VALUECONVERSION_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/CIMValue.h>

#include <qel/ICIMClass.h>
#include <qel/TCIMValue.h>

#include "convert/TStreamText.h"

namespace NVORNQEL20 {

// The boundary between the client library's values and the host's. The
// functions keep no state and write no log; a type they do not handle
// leaves the target as it was, and client-library exceptions (a value of
// another type than the one named, an unreadable datetime or object path)
// pass through with the target unchanged.

// Client type and array flag to the host's type number: a scalar's is the
// client's number plus 1 (1 to 15), an array's plus 17 (17 to 31); types
// outside those give 0, or 16 as arrays.
TCIMValue::TCIMType pegTypeToQELType(Pegasus::CIMType type, bool isArray);

// A client value of the given type and array flag to a host value. `name`
// only says whose value it is. `cls` gives a scalar reference its namespace
// and must then be set. Arrays of references are not converted. A null
// value converts as what a fresh holder reads: an empty array, "", false,
// 0 and the default char16, datetime and object path.
void pegValToQEL(std::string name, Pegasus::CIMValue value, Pegasus::CIMType type, bool isArray, TCIMValue& out,
                 boost::shared_ptr<ICIMClass> cls);
// The same, reading texts through the caller's stream (the stream output of
// char16 values and of array elements that are strings or datetimes).
void pegValToQEL(std::string name, Pegasus::CIMValue value, Pegasus::CIMType type, bool isArray, TCIMValue& out,
                 boost::shared_ptr<ICIMClass> cls, TStreamText& text);

// A host value to a client value; references convert as scalars only.
void qelValToPeg(TCIMValue const& value, Pegasus::CIMValue& out);

// A host array to a client array: each element is read as Src and stored
// as Dst. The last two arguments only choose the instantiation.
template <typename Src, typename Dst>
void qelArrayToPeg(TCIMValue const& value, Pegasus::CIMValue& out, Src, Dst)
{
    const std::vector<TCIMValue>& elements = value;
    Pegasus::Array<Dst> converted;
    converted.reserveCapacity(static_cast<Pegasus::Uint32>(elements.size()));
    for (const TCIMValue& element : elements)
        converted.append(Dst(static_cast<Src>(element)));
    out.set(converted);
}

}  // namespace NVORNQEL20

#endif
