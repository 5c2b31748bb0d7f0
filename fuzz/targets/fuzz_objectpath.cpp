// CIMObjectPath from any text; a path that parses prints a text that
// parses back to an identical path, which prints the same text.

#include "Expect.h"
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/Exception.h>
#include <cstddef>
#include <cstdint>
#include <string>

PEGASUS_USING_PEGASUS;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CIMObjectPath parsed;
    try
    {
        parsed.set(String(std::string(reinterpret_cast<const char*>(data), size)));
    }
    catch (const MalformedObjectNameException&)
    {
        return 0;
    }
    const String printed = parsed.toString();
    const CIMObjectPath again(printed);
    expect(again.identical(parsed), "a printed path parses to another path");
    expect(again.toString() == printed, "a path prints differently after a round trip");
    return 0;
}
