// The plug-in's display text of a property value. The input chooses, in
// this order: the property's type (any scalar or array type); for each of
// Values, ValueMap, UNITS, DISPLAYFIXEDUNITS, ABBREVIATEUNITS, BASE and
// NULLDISPLAY whether the declaration carries it and with what value
// (mostly of the type the qualifier should have, else of any type, null
// or not); then the property's value, its previous value and one more
// value of any type.
//
// Every display operation returns text; none throws, except the value-map
// look-up of a value that is neither boolean nor unsigned (status 1). A
// code with a value map shows the text the table gives; an array shows
// one text per element.

#include "Expect.h"
#include "instance/TCimHTTPProperty.h"
#include <boost/make_shared.hpp>
#include <fuzzer/FuzzedDataProvider.h>
#include <qel/TCIMReference.h>
#include <qel/TInmemNamespace.h>
#include <qel/TQELException.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace NVORNQEL20;
typedef TCIMValue::TCIMType TType;

namespace
{
const size_t MAX_ELEMENTS = 512;
const size_t MAX_TEXT = 64;
const TCIMContext NO_CONTEXT;

typedef std::string (*TextSource)(FuzzedDataProvider&);

std::string anyText(FuzzedDataProvider& input)
{
    return input.ConsumeRandomLengthString(MAX_TEXT);
}

// One of the words, or any text.
std::string pick(FuzzedDataProvider& input, const std::vector<const char*>& words)
{
    const size_t at = input.ConsumeIntegralInRange<size_t>(0, words.size());
    return at == words.size() ? anyText(input) : words[at];
}

const std::vector<const char*> PREFIXES = {"", "Peta", "Tera", "Giga", "Mega", "Kilo", "Milli", "Micro", "Nano"};
const std::vector<const char*> UNIT_NAMES = {"Bytes", "Bits", "Bytes per Second", "Bits per Second", "Seconds",
                                             "Hertz"};

std::string unitsText(FuzzedDataProvider& input)
{
    const std::string prefix = pick(input, PREFIXES);
    return prefix + pick(input, UNIT_NAMES);
}

std::string fixedUnitsText(FuzzedDataProvider& input)
{
    return pick(input, PREFIXES);
}

// Small codes meet each other's ranges; large ones meet the top.
std::string numberText(FuzzedDataProvider& input)
{
    const unsigned long long n = input.ConsumeBool() ? input.ConsumeIntegralInRange<unsigned long long>(0, 64)
                                                     : input.ConsumeIntegral<unsigned long long>();
    if (input.ConsumeBool())
        return std::to_string(n);
    char hex[32];
    std::snprintf(hex, sizeof hex, input.ConsumeBool() ? "0x%llx" : "0X%llX", n);
    return hex;
}

// A ValueMap element: "n", "n..", "..n", "n..m", "..", or any text.
std::string codeText(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 5))
    {
    case 0: return numberText(input);
    case 1: return numberText(input) + "..";
    case 2: return ".." + numberText(input);
    case 3:
    {
        const std::string low = numberText(input);
        return low + ".." + numberText(input);
    }
    case 4: return "..";
    default: return anyText(input);
    }
}

struct QualifierChoice
{
    const char* name;
    TType type;
    TextSource text;
};

const QualifierChoice QUALIFIERS[] = {
    {"Values", TType::eStringArray, anyText},
    {"ValueMap", TType::eStringArray, codeText},
    {"UNITS", TType::eString, unitsText},
    {"DISPLAYFIXEDUNITS", TType::eString, fixedUnitsText},
    {"ABBREVIATEUNITS", TType::eBoolean, anyText},
    {"BASE", TType::eUint8, anyText},
    {"NULLDISPLAY", TType::eString, anyText},
};

template <class T>
T consumeBits(FuzzedDataProvider& input)
{
    uint64_t bits = input.ConsumeIntegral<uint64_t>();
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TCIMDateTime consumeDateTime(FuzzedDataProvider& input)
{
    try
    {
        return TCIMDateTime(input.ConsumeRandomLengthString(MAX_TEXT));
    }
    catch (const TQELException&)
    {
        return TCIMDateTime();
    }
}

TCIMReference consumeReference(FuzzedDataProvider& input)
{
    TCIMReference reference;
    try
    {
        reference.SetPath(input.ConsumeRandomLengthString(MAX_TEXT));
    }
    catch (const TQELException&)
    {
    }
    return reference;
}

TCIMValue consumeScalar(FuzzedDataProvider& input, TType type, TextSource text)
{
    switch (type)
    {
    case TType::eBoolean: return TCIMValue(input.ConsumeBool());
    case TType::eUint8: return TCIMValue(input.ConsumeIntegral<unsigned char>());
    case TType::eSint8: return TCIMValue(input.ConsumeIntegral<signed char>());
    case TType::eUint16: return TCIMValue(input.ConsumeIntegral<unsigned short>());
    case TType::eSint16: return TCIMValue(input.ConsumeIntegral<short>());
    case TType::eUint32: return TCIMValue(input.ConsumeIntegral<unsigned int>());
    case TType::eSint32: return TCIMValue(input.ConsumeIntegral<int>());
    case TType::eUint64: return TCIMValue(input.ConsumeIntegral<unsigned long long>());
    case TType::eSint64: return TCIMValue(input.ConsumeIntegral<long long>());
    case TType::eReal32: return TCIMValue(consumeBits<float>(input));
    case TType::eReal64: return TCIMValue(consumeBits<double>(input));
    case TType::eChar16: return TCIMValue(TCIMChar16(input.ConsumeIntegral<unsigned short>()));
    case TType::eString: return TCIMValue(text(input));
    case TType::eDateTime: return TCIMValue(consumeDateTime(input));
    default: return TCIMValue(consumeReference(input));
    }
}

// A value of the type: null, or data (arrays may hold null elements);
// strings come from the text source.
TCIMValue consumeValue(FuzzedDataProvider& input, TType type, TextSource text = anyText)
{
    if (input.ConsumeIntegralInRange(0, 7) == 0)
        return TCIMValue(type, 0);
    if (!type.IsArray())
        return consumeScalar(input, type, text);
    const TType element = type.GetElementType();
    std::vector<TCIMValue> elements(input.ConsumeIntegralInRange<size_t>(0, MAX_ELEMENTS));
    for (TCIMValue& item : elements)
        item = input.ConsumeIntegralInRange(0, 15) == 0 ? TCIMValue(element, 0) : consumeScalar(input, element, text);
    return TCIMValue(element, static_cast<unsigned>(elements.size()), elements);
}

// A scalar type 1 to 15, or an array of one (17 to 31).
TType consumeType(FuzzedDataProvider& input)
{
    const TType scalar = static_cast<TType::ECIMType>(input.ConsumeIntegralInRange(1, 15));
    return input.ConsumeBool() ? scalar.GetArrayType() : scalar;
}

// Declarations of the host's in-memory schema: the display text reads
// them only through the host interfaces.
class DisplayFixture
{
public:
    DisplayFixture()
        : _namespace(boost::make_shared<TInmemNamespace>()),
          _class(_namespace->AllocateClass("CIM_Fuzz", boost::shared_ptr<ICIMClass>(), NO_CONTEXT))
    {
    }

    boost::shared_ptr<ICIMPropertyDecl> declare(FuzzedDataProvider& input, TType type)
    {
        boost::shared_ptr<ICIMPropertyDecl> declaration =
            _class->AllocatePropertyDecl("Value", TCIMValue(type, 0), NO_CONTEXT);
        for (const QualifierChoice& choice : QUALIFIERS)
        {
            const int pick = input.ConsumeIntegralInRange(0, 3);
            if (pick == 0)
                continue;
            const TType valueType = pick == 3 ? consumeType(input) : choice.type;
            boost::shared_ptr<ICIMQualifierDecl> qualifierDecl = _namespace->AllocateQualifierDecl(
                choice.name, TCIMValue(valueType, 0), ICIMQualifierDecl::eScopeAny, ICIMQualifierDecl::eFlavorNone,
                NO_CONTEXT);
            declaration->AddQualifier(
                declaration->AllocateQualifier(qualifierDecl, consumeValue(input, valueType, choice.text), NO_CONTEXT),
                NO_CONTEXT);
        }
        return declaration;
    }

private:
    boost::shared_ptr<TInmemNamespace> _namespace;
    boost::shared_ptr<ICIMClass> _class;
};

bool isCode(TType type)
{
    return type == TType::eBoolean || type == TType::eUint8 || type == TType::eUint16 || type == TType::eUint32
        || type == TType::eUint64;
}

void checkLookup(const TCimHTTPProperty& property, const TCIMValue& value, const TCimHTTPProperty::TValueMap& table,
                 const std::string& defaultText)
{
    try
    {
        property.LookupInTable(value, table, defaultText);
        expect(isCode(value.GetType()), "a value map looked up a value that is no code");
    }
    catch (const TQELException& e)
    {
        expect(e.GetStatusCode() == TQELStatusCode::eNotSupported && !isCode(value.GetType()),
               "a value map refused a code");
    }
}

void checkDisplay(const TCimHTTPProperty& property, const TCIMValue& other)
{
    const TCIMValue& value = property.GetValue(NO_CONTEXT);
    const TType type = property.GetType(NO_CONTEXT);
    TCimHTTPProperty::TValueMap table;
    std::string defaultText;
    const bool mapped = property.BuildValueMapEntryArray(table, defaultText);

    const std::string text = property.ToString();
    if (mapped && !value.IsNull() && isCode(type))
        expect(text == property.LookupInTable(value, table, defaultText), "a code does not show its mapped text");
    property.PrevValueToString();
    property.ToStringWithQualifiers(other);
    property.ToStringWithBase(other);
    checkLookup(property, other, table, defaultText);

    const size_t count = type.IsArray() ? static_cast<const std::vector<TCIMValue>&>(value).size() : 1;
    expect(property.ToStringVector().size() == count, "an array shows another number of texts");
    expect(property.ToStringVectorWithBase().size() == count, "an array shows another number of texts");
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static DisplayFixture fixture;
    FuzzedDataProvider input(data, size);
    const TType type = consumeType(input);
    boost::shared_ptr<ICIMPropertyDecl> declaration = fixture.declare(input, type);
    TCimHTTPProperty property(declaration);
    if (input.ConsumeBool())
        property.SetValue(consumeValue(input, type), NO_CONTEXT);
    switch (input.ConsumeIntegralInRange(0, 2))
    {
    case 1: property.SetPrevValue(consumeValue(input, type)); break;
    case 2: property.SetPrevValue(); break;
    }
    checkDisplay(property, consumeValue(input, consumeType(input)));
    return 0;
}
