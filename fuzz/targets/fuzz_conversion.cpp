// The plug-in's conversion of client values to host values and back. The
// first byte picks the CIM type (its low five bits), a null value (0x40)
// and an array (0x80); the rest holds the data: raw little-endian numbers,
// one byte per boolean, two per char16, and texts (strings, datetimes,
// object paths) that array elements separate with NUL. Texts the decoder
// would refuse (invalid UTF-8) and texts the client library does not parse
// are skipped.
//
// Every conversion ends in a host value or in an exception of the client
// library or, for a datetime or object path the host cannot hold, a host
// exception of status 4; a type without a conversion leaves the target
// alone; a host value converts back to a client value that converts to
// the same host value, and to the very client value it came from where the
// texts are canonical.

#include "Expect.h"
#include "convert/ValueConversion.h"
#include <Pegasus/Common/Exception.h>
#include <boost/make_shared.hpp>
#include <qel/TCIMReference.h>
#include <qel/TInmemNamespace.h>
#include <qel/TQELException.h>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

PEGASUS_USING_PEGASUS;
using NVORNQEL20::TCIMValue;

namespace
{
const uint8_t ARRAY_BIT = 0x80;
const uint8_t NULL_BIT = 0x40;
const int TYPE_COUNT = CIMTYPE_INSTANCE + 1;

bool isValidUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size())
    {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static const uint32_t LOWEST[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < LOWEST[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::vector<std::string> texts(const std::string& data, bool isArray)
{
    std::vector<std::string> items;
    if (!isArray)
        return {data};
    for (size_t begin = 0; begin < data.size();)
    {
        const size_t end = std::min(data.find('\0', begin), data.size());
        items.push_back(data.substr(begin, end - begin));
        begin = end + 1;
    }
    return items;
}

template <class T>
CIMValue fromBytes(const std::string& data, bool isArray)
{
    Array<T> items;
    for (size_t at = 0; at + sizeof(T) <= data.size(); at += sizeof(T))
    {
        T item;
        std::memcpy(&item, data.data() + at, sizeof(T));
        items.append(item);
    }
    if (isArray)
        return CIMValue(items);
    return items.size() == 0 ? CIMValue(T()) : CIMValue(items[0]);
}

CIMValue fromBooleans(const std::string& data, bool isArray)
{
    Array<Boolean> items;
    for (char c : data)
        items.append((c & 1) != 0);
    if (isArray)
        return CIMValue(items);
    return CIMValue(items.size() != 0 && items[0]);
}

CIMValue fromChar16s(const std::string& data, bool isArray)
{
    Array<Char16> items;
    for (size_t at = 0; at + 2 <= data.size(); at += 2)
        items.append(Char16(static_cast<Uint16>(static_cast<unsigned char>(data[at]) |
                                                static_cast<unsigned char>(data[at + 1]) << 8)));
    if (isArray)
        return CIMValue(items);
    return CIMValue(items.size() == 0 ? Char16() : items[0]);
}

// Throws the client library's exception for a text it does not parse.
template <class T>
CIMValue fromTexts(const std::string& data, bool isArray)
{
    Array<T> items;
    for (const std::string& text : texts(data, isArray))
        items.append(T(String(text)));
    return isArray ? CIMValue(items) : CIMValue(items[0]);
}

CIMValue build(CIMType type, bool isArray, const std::string& data)
{
    switch (type)
    {
    case CIMTYPE_BOOLEAN: return fromBooleans(data, isArray);
    case CIMTYPE_UINT8: return fromBytes<Uint8>(data, isArray);
    case CIMTYPE_SINT8: return fromBytes<Sint8>(data, isArray);
    case CIMTYPE_UINT16: return fromBytes<Uint16>(data, isArray);
    case CIMTYPE_SINT16: return fromBytes<Sint16>(data, isArray);
    case CIMTYPE_UINT32: return fromBytes<Uint32>(data, isArray);
    case CIMTYPE_SINT32: return fromBytes<Sint32>(data, isArray);
    case CIMTYPE_UINT64: return fromBytes<Uint64>(data, isArray);
    case CIMTYPE_SINT64: return fromBytes<Sint64>(data, isArray);
    case CIMTYPE_REAL32: return fromBytes<Real32>(data, isArray);
    case CIMTYPE_REAL64: return fromBytes<Real64>(data, isArray);
    case CIMTYPE_CHAR16: return fromChar16s(data, isArray);
    case CIMTYPE_STRING: return fromTexts<String>(data, isArray);
    case CIMTYPE_DATETIME: return fromTexts<CIMDateTime>(data, isArray);
    case CIMTYPE_REFERENCE: return fromTexts<CIMObjectPath>(data, isArray);
    default: return CIMValue(type, isArray);
    }
}

boost::shared_ptr<NVORNQEL20::ICIMClass> theClass()
{
    static auto nameSpace = boost::make_shared<NVORNQEL20::TInmemNamespace>();
    static auto cls = nameSpace->AllocateClass("CIM_Fuzz", boost::shared_ptr<NVORNQEL20::ICIMClass>(),
                                               NVORNQEL20::TCIMContext());
    return cls;
}

bool isText(CIMType type)
{
    return type == CIMTYPE_STRING || type == CIMTYPE_DATETIME || type == CIMTYPE_REFERENCE;
}

bool converts(CIMType type, bool isArray)
{
    return isArray ? type <= CIMTYPE_DATETIME : type <= CIMTYPE_REFERENCE;
}

// Reals may come back as another NaN; datetimes and paths as another text
// of the same value.
bool canonical(CIMType type)
{
    return type != CIMTYPE_REAL32 && type != CIMTYPE_REAL64 && type != CIMTYPE_DATETIME
        && type != CIMTYPE_REFERENCE;
}

bool sameHostValue(const TCIMValue& a, const TCIMValue& b)
{
    if (a == b)
        return true;
    // NaN equals nothing, itself included: compare the texts instead.
    const TCIMValue::TCIMType element = a.GetElementType();
    return (element == TCIMValue::TCIMType::eReal32 || element == TCIMValue::TCIMType::eReal64)
        && a.GetType() == b.GetType() && a.ToString(10) == b.ToString(10);
}

TCIMValue toHost(const CIMValue& value, CIMType type, bool isArray)
{
    TCIMValue out("sentinel");
    NVORNQEL20::pegValToQEL("Fuzz", value, type, isArray, out, theClass());
    return out;
}

void checkConversion(const CIMValue& value, CIMType type, bool isArray)
{
    TCIMValue host;
    try
    {
        host = toHost(value, type, isArray);
    }
    catch (const Exception&)
    {
        return;  // the client library refused to read the value
    }
    catch (const NVORNQEL20::TQELException& e)
    {
        expect(e.GetStatusCode() == NVORNQEL20::TQELStatusCode::eInvalidValue
                   && (type == CIMTYPE_DATETIME || type == CIMTYPE_REFERENCE),
               "a host exception other than a refused datetime or path");
        return;
    }
    if (!converts(type, isArray))
    {
        expect(host == TCIMValue("sentinel"), "an unconverted type changed the target");
        return;
    }
    expect(host.GetType() == NVORNQEL20::pegTypeToQELType(type, isArray), "a converted value has another type");
    expect(!host.IsNull(), "a converted value is null");
    if (isArray && !value.isNull())
        expect(static_cast<const std::vector<TCIMValue>&>(host).size() == value.getArraySize(),
               "an array lost or gained elements");

    CIMValue back;
    try
    {
        NVORNQEL20::qelValToPeg(host, back);
    }
    catch (const Exception& e)
    {
        // A null reference arrives as the host's empty reference, whose
        // empty path names no class: the client library refuses to parse
        // it back, as OpenPegasus does.
        if (type == CIMTYPE_REFERENCE && !isArray && host.ToString(10).empty())
            return;
        std::fprintf(stderr, "%s\n", e.getMessage().str().c_str());
        expect(false, "the client library refused a converted value");
    }
    expect(back.getType() == type && back.isArray() == isArray, "a value came back with another type");
    expect(sameHostValue(toHost(back, type, isArray), host), "a value came back as another host value");
    if (!value.isNull() && canonical(type))
        expect(back == value, "a value came back changed");
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const CIMType type = static_cast<CIMType>((data[0] & 0x1F) % TYPE_COUNT);
    const bool isArray = (data[0] & ARRAY_BIT) != 0;
    const std::string payload(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (isText(type) && (!isValidUtf8(payload) || (!isArray && payload.find('\0') != std::string::npos)))
        return 0;
    CIMValue value;
    try
    {
        value = (data[0] & NULL_BIT) ? CIMValue(type, isArray) : build(type, isArray, payload);
    }
    catch (const Exception&)
    {
        return 0;
    }
    checkConversion(value, type, isArray);
    return 0;
}
