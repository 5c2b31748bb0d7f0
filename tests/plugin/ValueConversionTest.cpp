// Conversion between the client library's values and the host's: the type
// numbering, every type both ways, arrays, null values, the types that are
// left alone and the errors that reach the caller.
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <Pegasus/Common/Exception.h>

#include <qel/TCIMReference.h>
#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"
#include "convert/ValueConversion.h"
#include "namespace/TCimHTTPNamespace.h"

using namespace NVORNQEL20;

namespace {

typedef TCIMValue::TCIMType TType;

// The text the captured instances hold, with two- and three-byte UTF-8.
const char* const kUtf8Text = "esx02 äöü €";

TCIMValue ToHost(const Pegasus::CIMValue& value, boost::shared_ptr<ICIMClass> cls = boost::shared_ptr<ICIMClass>())
{
    TCIMValue out;
    pegValToQEL("Name", value, value.getType(), value.isArray(), out, cls);
    return out;
}

Pegasus::CIMValue ToPegasus(const TCIMValue& value)
{
    Pegasus::CIMValue out;
    qelValToPeg(value, out);
    return out;
}

template <typename T>
Pegasus::CIMValue PegasusArray(const std::vector<T>& items)
{
    Pegasus::Array<T> array;
    for (const T& item : items)
        array.append(item);
    return Pegasus::CIMValue(array);
}

// One client value of each scalar type and the host value it stands for.
struct TScalarCase {
    Pegasus::CIMValue pegasus;
    TCIMValue host;
};

std::vector<TScalarCase> ScalarCases()
{
    return {
        {Pegasus::CIMValue(true), TCIMValue(true)},
        {Pegasus::CIMValue(false), TCIMValue(false)},
        {Pegasus::CIMValue(Pegasus::Uint8(200)), TCIMValue(static_cast<unsigned char>(200))},
        {Pegasus::CIMValue(Pegasus::Sint8(-5)), TCIMValue(static_cast<signed char>(-5))},
        {Pegasus::CIMValue(Pegasus::Uint16(300)), TCIMValue(static_cast<unsigned short>(300))},
        {Pegasus::CIMValue(Pegasus::Sint16(-300)), TCIMValue(static_cast<short>(-300))},
        {Pegasus::CIMValue(Pegasus::Uint32(4000000000u)), TCIMValue(4000000000u)},
        {Pegasus::CIMValue(Pegasus::Sint32(-2000000000)), TCIMValue(-2000000000)},
        {Pegasus::CIMValue(std::numeric_limits<Pegasus::Uint64>::max()),
         TCIMValue(std::numeric_limits<unsigned long long>::max())},
        {Pegasus::CIMValue(std::numeric_limits<Pegasus::Sint64>::min()),
         TCIMValue(std::numeric_limits<long long>::min())},
        {Pegasus::CIMValue(Pegasus::Real32(1.5f)), TCIMValue(1.5f)},
        {Pegasus::CIMValue(Pegasus::Real64(-2.25)), TCIMValue(-2.25)},
        {Pegasus::CIMValue(Pegasus::Char16('A')), TCIMValue(TCIMChar16("65"))},
        // Lone surrogate and the highest code: codes travel, not characters.
        {Pegasus::CIMValue(Pegasus::Char16(0xD800)), TCIMValue(TCIMChar16(0xD800))},
        {Pegasus::CIMValue(Pegasus::Char16(0xFFFF)), TCIMValue(TCIMChar16(0xFFFF))},
        {Pegasus::CIMValue(Pegasus::String(kUtf8Text)), TCIMValue(kUtf8Text)},
        {Pegasus::CIMValue(Pegasus::String("")), TCIMValue("")},
        {Pegasus::CIMValue(Pegasus::CIMDateTime("20240315091733.250000-300")),
         TCIMValue(TCIMDateTime("20240315091733.250000-300"))},
        {Pegasus::CIMValue(Pegasus::CIMDateTime("99999999235959.999999:000")),
         TCIMValue(TCIMDateTime("99999999235959.999999:000"))},
        {Pegasus::CIMValue(Pegasus::CIMDateTime("00000101000000.000000-999")),
         TCIMValue(TCIMDateTime("00000101000000.000000-999"))},
        {Pegasus::CIMValue(Pegasus::CIMDateTime("2024031509****.******-300")),
         TCIMValue(TCIMDateTime("2024031509****.******-300"))},
    };
}

TEST(ValueConversion, TypeNumbersOfBothLibraries)
{
    for (int type = Pegasus::CIMTYPE_BOOLEAN; type <= Pegasus::CIMTYPE_REFERENCE; ++type) {
        const Pegasus::CIMType pegasusType = static_cast<Pegasus::CIMType>(type);
        EXPECT_EQ(type + 1, pegTypeToQELType(pegasusType, false)) << type;
        EXPECT_EQ(type + 17, pegTypeToQELType(pegasusType, true)) << type;
    }
    EXPECT_EQ(TType::eString, pegTypeToQELType(Pegasus::CIMTYPE_STRING, false));
    EXPECT_EQ(TType::eStringArray, pegTypeToQELType(Pegasus::CIMTYPE_STRING, true));
    for (Pegasus::CIMType outside : {Pegasus::CIMTYPE_OBJECT, Pegasus::CIMTYPE_INSTANCE}) {
        EXPECT_EQ(TType::eNoType, pegTypeToQELType(outside, false));
        EXPECT_EQ(TType::eArray, pegTypeToQELType(outside, true));
    }
}

TEST(ValueConversion, EveryScalarTypeBothWays)
{
    for (const TScalarCase& c : ScalarCases()) {
        // The host's text: the client library has none for half a surrogate pair.
        const std::string what = c.host.ToString();
        const TCIMValue host = ToHost(c.pegasus);
        EXPECT_EQ(c.host, host) << what;
        EXPECT_EQ(pegTypeToQELType(c.pegasus.getType(), false), host.GetType()) << what;
        EXPECT_FALSE(host.IsArray()) << what;
        EXPECT_EQ(c.pegasus, ToPegasus(host)) << what;
    }
    // The host's own datetime text is one the client library reads back.
    const TCIMValue interval(TCIMDateTime("00000012131415.000000:000"));
    EXPECT_EQ(interval, ToHost(ToPegasus(interval)));
}

TEST(ValueConversion, ArraysOfEveryTypeBothWays)
{
    const std::vector<Pegasus::CIMValue> arrays = {
        PegasusArray<Pegasus::Boolean>({true, false}),
        PegasusArray<Pegasus::Uint8>({0, 255}),
        PegasusArray<Pegasus::Sint8>({-128, 127}),
        PegasusArray<Pegasus::Uint16>({300, 1}),
        PegasusArray<Pegasus::Sint16>({-300, 1}),
        PegasusArray<Pegasus::Uint32>({4000000000u, 0}),
        PegasusArray<Pegasus::Sint32>({-1, 7}),
        PegasusArray<Pegasus::Uint64>({std::numeric_limits<Pegasus::Uint64>::max(), 1}),
        PegasusArray<Pegasus::Sint64>({std::numeric_limits<Pegasus::Sint64>::min(), 1}),
        PegasusArray<Pegasus::Real32>({0.25f, -1.0f}),
        PegasusArray<Pegasus::Real64>({1e300, -0.5}),
        PegasusArray<Pegasus::Char16>({Pegasus::Char16('A'), Pegasus::Char16(0x20AC)}),
        PegasusArray<Pegasus::String>({Pegasus::String(kUtf8Text), Pegasus::String("")}),
        PegasusArray<Pegasus::CIMDateTime>({Pegasus::CIMDateTime("20240315091733.250000-300"),
                                            Pegasus::CIMDateTime("00000001******.******:000")}),
    };
    for (const Pegasus::CIMValue& array : arrays) {
        const std::string what = array.toString().str();
        const TCIMValue host = ToHost(array);
        ASSERT_TRUE(host.IsArray()) << what;
        // The host reports an array's full type number; its element is the scalar's.
        EXPECT_EQ(pegTypeToQELType(array.getType(), true), host.GetType()) << what;
        EXPECT_EQ(pegTypeToQELType(array.getType(), false), host.GetElementType()) << what;
        const std::vector<TCIMValue>& elements = host;
        ASSERT_EQ(2u, elements.size()) << what;
        EXPECT_EQ(array, ToPegasus(host)) << what;
    }

    EXPECT_EQ(TCIMValue(TType::eBoolean, 0, {TCIMValue(true), TCIMValue(false)}), ToHost(arrays[0]));
    EXPECT_EQ(TCIMValue(TType::eChar16, 0, {TCIMValue(TCIMChar16("65")), TCIMValue(TCIMChar16(0x20AC))}),
              ToHost(arrays[11]));
    EXPECT_EQ(TCIMValue(TType::eString, 0, {TCIMValue(kUtf8Text), TCIMValue("")}), ToHost(arrays[12]));
}

TEST(ValueConversion, EmptyAndLargeArrays)
{
    const TCIMValue empty = ToHost(PegasusArray<Pegasus::Uint32>({}));
    EXPECT_TRUE(empty.IsArray());
    EXPECT_EQ(TType::eUint32, empty.GetElementType());
    EXPECT_TRUE(static_cast<const std::vector<TCIMValue>&>(empty).empty());
    EXPECT_EQ(PegasusArray<Pegasus::Uint32>({}), ToPegasus(empty));

    std::vector<Pegasus::Uint16> many(100000);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = static_cast<Pegasus::Uint16>(i);
    const Pegasus::CIMValue large = PegasusArray(many);
    const TCIMValue host = ToHost(large);
    EXPECT_EQ(100000u, static_cast<const std::vector<TCIMValue>&>(host).size());
    EXPECT_EQ(large, ToPegasus(host));
}

TEST(ValueConversion, NullValuesConvertAsEmptyHolders)
{
    using Pegasus::CIMValue;
    EXPECT_EQ(TCIMValue(false), ToHost(CIMValue(Pegasus::CIMTYPE_BOOLEAN, false)));
    EXPECT_EQ(TCIMValue(0u), ToHost(CIMValue(Pegasus::CIMTYPE_UINT32, false)));
    EXPECT_EQ(TCIMValue(0.0), ToHost(CIMValue(Pegasus::CIMTYPE_REAL64, false)));
    EXPECT_EQ(TCIMValue(""), ToHost(CIMValue(Pegasus::CIMTYPE_STRING, false)));
    EXPECT_EQ(TCIMValue(TCIMChar16("0")), ToHost(CIMValue(Pegasus::CIMTYPE_CHAR16, false)));
    EXPECT_EQ(TCIMValue(TCIMDateTime("00000000000000.000000:000")), ToHost(CIMValue(Pegasus::CIMTYPE_DATETIME, false)));
    for (int type = Pegasus::CIMTYPE_BOOLEAN; type <= Pegasus::CIMTYPE_DATETIME; ++type) {
        const TCIMValue host = ToHost(CIMValue(static_cast<Pegasus::CIMType>(type), true));
        EXPECT_EQ(type + 17, host.GetType()) << type;
        EXPECT_FALSE(host.IsNull()) << type;
        EXPECT_TRUE(static_cast<const std::vector<TCIMValue>&>(host).empty()) << type;
    }
}

TEST(ValueConversion, ReferencesCarryTheClassNamespaceAndThePathText)
{
    auto nameSpace = boost::make_shared<TCimHTTPNamespace>(false, "root/cimv2");
    auto cls = boost::make_shared<TCimHTTPClass>(nameSpace, 60000, "CIM_Foo", boost::shared_ptr<TCimHTTPClass>());
    const Pegasus::CIMObjectPath path("//host/root/cimv2:CIM_Foo.Name=\"a \\\"b\\\"\",Id=1");
    const TCIMValue host = ToHost(Pegasus::CIMValue(path), cls);
    ASSERT_EQ(TType::eReference, host.GetType());
    EXPECT_EQ(path.toString().str(), host.GetReference().GetPath());
    EXPECT_EQ(nameSpace, host.GetReference().GetNamespace());
    EXPECT_FALSE(host.GetReferencedClass());
    EXPECT_EQ(Pegasus::CIMValue(path), ToPegasus(host));
}

TEST(ValueConversion, TypesWithoutAConversionLeaveTheTargetAlone)
{
    const TCIMValue before("untouched");
    TCIMValue out = before;
    pegValToQEL("Refs", PegasusArray<Pegasus::CIMObjectPath>({Pegasus::CIMObjectPath("CIM_Foo.Id=1")}),
                Pegasus::CIMTYPE_REFERENCE, true, out, boost::shared_ptr<ICIMClass>());
    EXPECT_EQ(before, out);
    pegValToQEL("Object", Pegasus::CIMValue(Pegasus::CIMTYPE_OBJECT, false), Pegasus::CIMTYPE_OBJECT, false, out,
                boost::shared_ptr<ICIMClass>());
    EXPECT_EQ(before, out);

    TCIMReference reference;
    reference.SetPath("CIM_Foo.Id=1");
    const std::vector<TCIMValue> unconverted = {
        TCIMValue(),
        TCIMValue(TType::eReference, 0, {TCIMValue(reference)}),
        TCIMValue(TType(static_cast<TType::ECIMType>(42)), 0),
    };
    for (const TCIMValue& value : unconverted) {
        const Pegasus::CIMValue converted = ToPegasus(value);
        EXPECT_TRUE(converted.isNull()) << value.GetType();
        EXPECT_EQ(Pegasus::CIMValue(), converted) << value.GetType();
    }
}

TEST(ValueConversion, RefusedValuesLeaveTheTargetUnchanged)
{
    const TCIMValue before(7u);
    TCIMValue out = before;
    // A value of another type than the one named: the client library refuses to read it.
    EXPECT_THROW(pegValToQEL("Name", Pegasus::CIMValue(Pegasus::Uint32(1)), Pegasus::CIMTYPE_STRING, false, out,
                             boost::shared_ptr<ICIMClass>()),
                 Pegasus::TypeMismatchException);
    EXPECT_THROW(pegValToQEL("Name", Pegasus::CIMValue(Pegasus::Uint32(1)), Pegasus::CIMTYPE_UINT32, true, out,
                             boost::shared_ptr<ICIMClass>()),
                 Pegasus::TypeMismatchException);
    EXPECT_EQ(before, out);

    // A text the client library accepts and the host cannot hold: a day no
    // calendar has.
    try {
        pegValToQEL("Name", Pegasus::CIMValue(Pegasus::CIMDateTime("20230231000000.000000+000")),
                    Pegasus::CIMTYPE_DATETIME, false, out, boost::shared_ptr<ICIMClass>());
        ADD_FAILURE() << "converted February 31";
    } catch (const TQELException& e) {
        EXPECT_EQ(TQELStatusCode::eInvalidValue, e.GetStatusCode());
    }
    EXPECT_EQ(before, out);

    // The empty path of a null reference is the host's empty reference.
    auto nameSpace = boost::make_shared<TCimHTTPNamespace>(false, "root/cimv2");
    auto cls = boost::make_shared<TCimHTTPClass>(nameSpace, 60000, "CIM_Foo", boost::shared_ptr<TCimHTTPClass>());
    pegValToQEL("Ref", Pegasus::CIMValue(Pegasus::CIMTYPE_REFERENCE, false), Pegasus::CIMTYPE_REFERENCE, false, out,
                cls);
    EXPECT_EQ(15, static_cast<int>(out.GetType()));
    EXPECT_EQ("", out.ToString(10));
}

}  // namespace
