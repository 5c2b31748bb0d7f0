// CIMDateTime from any text; a value that parses prints as that text and
// the printed text parses back to an equal value.

#include "Expect.h"
#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/Exception.h>
#include <cstddef>
#include <cstdint>
#include <string>

PEGASUS_USING_PEGASUS;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CIMDateTime parsed;
    try
    {
        parsed.set(String(text));
    }
    catch (const InvalidDateTimeFormatException&)
    {
        return 0;
    }
    const String printed = parsed.toString();
    expect(printed.str() == text, "a datetime prints other than it was written");
    const CIMDateTime again(printed);
    expect(again == parsed, "a printed datetime parses to another value");
    expect(again.isInterval() == parsed.isInterval(), "interval and timestamp confused");
    return 0;
}
