// Declarations and qualifiers built from a class that a real CIMOM sends,
// and instance values converted for those declarations.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMPropertyList.h>

#include "client/PegClient.h"
#include "convert/ValueConversion.h"
#include "schema/TCimHTTPPropertyDecl.h"
#include "SchemaTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
const char* const kNamespace = "root/cimv2";
const char* const kClassName = "CIM_ComputerSystem";

class CapturedSchemaTest : public SchemaTest {
protected:
    void SetUp() override
    {
        SchemaTest::SetUp();
        testcimom::ServerOptions options = ServerOptionsFor(testcimom::DataSetKind::Capture);
        fServer = StartServer(options);
        ASSERT_TRUE(fClient.Connect(NodeAddress(0), "", ""));
    }

    TCIMValue ToHost(const std::string& name, const Pegasus::CIMValue& value)
    {
        TCIMValue out;
        pegValToQEL(name, value, value.getType(), value.isArray(), out, fClass);
        return out;
    }

    // The declaration of a property with its qualifiers.
    boost::shared_ptr<ICIMPropertyDecl> Declare(const Pegasus::CIMConstProperty& property)
    {
        auto declaration = fClass->AllocatePropertyDecl(property.getName().getString().str(), TCIMValue(), kNoContext);
        declaration->SetDefaultValue(TCIMValue(pegTypeToQELType(property.getType(), property.isArray()), 0),
                                     kNoContext);
        for (Pegasus::Uint32 i = 0; i < property.getQualifierCount(); ++i) {
            const Pegasus::CIMConstQualifier qualifier = property.getQualifier(i);
            const std::string name = qualifier.getName().getString().str();
            auto qualifierDecl = Declaration(name, ICIMQualifierDecl::eFlavorNone,
                                             TCIMValue(pegTypeToQELType(qualifier.getType(), false), 0));
            declaration->AddQualifier(
                declaration->AllocateQualifier(qualifierDecl, ToHost(name, qualifier.getValue()), kNoContext),
                kNoContext);
        }
        return declaration;
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    PegClient fClient;
};

TEST_F(CapturedSchemaTest, ValueMapsAndArrayValuesMatchTheirDeclarations)
{
    const Pegasus::CIMClass fetched =
        fClient.GetClass(kNamespace, kClassName, 15000, false, true, false, Pegasus::CIMPropertyList());
    ASSERT_FALSE(fetched.isUninitialized());
    std::map<std::string, boost::shared_ptr<ICIMPropertyDecl>> declarations;
    for (Pegasus::Uint32 i = 0; i < fetched.getPropertyCount(); ++i) {
        auto declaration = Declare(fetched.getProperty(i));
        declarations[declaration->GetName(kNoContext)] = declaration;
    }

    auto status = declarations.at("OperationalStatus");
    EXPECT_EQ(TCIMValue::TCIMType::eUint16Array, status->GetType(kNoContext));
    for (const char* name : {"ValueMap", "Values"}) {
        auto qualifier = status->GetQualifier(name, kNoContext);
        EXPECT_EQ(TCIMValue::TCIMType::eStringArray, qualifier->GetType(kNoContext)) << name;
        EXPECT_FALSE(static_cast<const std::vector<TCIMValue>&>(qualifier->GetValue(kNoContext)).empty()) << name;
    }

    // Instance values carry the type number of their declarations.
    auto descriptions = declarations.at("StatusDescriptions");
    const auto instances = fClient.EnumerateInstances(kNamespace, kClassName, 15000, false, false, false, false,
                                                      Pegasus::CIMPropertyList());
    ASSERT_GT(instances.size(), 0u);
    int arraysSeen = 0;
    for (Pegasus::Uint32 i = 0; i < instances.size(); ++i) {
        const Pegasus::CIMConstProperty property =
            instances[i].getProperty(instances[i].findProperty("StatusDescriptions"));
        if (property.getValue().isNull())
            continue;
        ++arraysSeen;
        EXPECT_EQ(descriptions->GetType(kNoContext), ToHost("StatusDescriptions", property.getValue()).GetType());
    }
    EXPECT_GT(arraysSeen, 0);
}

TEST_F(CapturedSchemaTest, NonAsciiTextArrivesUnchanged)
{
    const auto instances = fClient.EnumerateInstances(kNamespace, kClassName, 15000, false, false, false, false,
                                                      Pegasus::CIMPropertyList());
    bool seen = false;
    for (Pegasus::Uint32 i = 0; i < instances.size(); ++i) {
        const Pegasus::CIMValue name =
            instances[i].getProperty(instances[i].findProperty("ElementName")).getValue();
        if (name.isNull() || name.toString().str() != "esx02 äöü €")
            continue;
        seen = true;
        EXPECT_EQ(TCIMValue("esx02 äöü €"), ToHost("ElementName", name));
        Pegasus::Array<Pegasus::String> texts;
        texts.append(Pegasus::String(name.toString()));
        EXPECT_EQ(TCIMValue(TCIMValue::TCIMType::eString, 0, {TCIMValue("esx02 äöü €")}),
                  ToHost("Names", Pegasus::CIMValue(texts)));
    }
    EXPECT_TRUE(seen);
}

}  // namespace
