// Every class of the captured root/cimv2, loaded through the plug-in from
// the test CIMOM (which serves the captured server's answers), compared
// with the MOF that server was loaded with.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/CIMPropertyList.h>

#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/ICIMQualifier.h>

#include "Captures.h"
#include "client/PegClient.h"
#include "MofSchema.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

// The values of a qualifier: whether it is an array, and each value as text.
typedef std::pair<bool, std::vector<std::string>> TValueTexts;
typedef std::map<std::string, TValueTexts> TQualifierTexts;

std::string Lower(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

TValueTexts HostTexts(const TCIMValue& value)
{
    if (!value.IsArray())
        return TValueTexts(false, {value.ToString()});
    TValueTexts texts(true, {});
    for (const TCIMValue& element : static_cast<const std::vector<TCIMValue>&>(value))
        texts.second.push_back(element.ToString());
    return texts;
}

TQualifierTexts MofTexts(const std::vector<MofQualifier>& qualifiers)
{
    TQualifierTexts texts;
    for (const MofQualifier& qualifier : qualifiers)
        texts[Lower(qualifier.name)] = TValueTexts(qualifier.isArray, qualifier.values);
    return texts;
}

// The element's qualifiers but the two every loaded class carries.
TQualifierTexts LoadedTexts(const ICIMNamedElement& element)
{
    TQualifierTexts texts;
    element.EnumerateQualifiers(
        [&texts](boost::shared_ptr<ICIMQualifier> qualifier) {
            const std::string name = Lower(qualifier->GetName(kNoContext));
            if (name != "pluginname" && name != "pluginversion")
                texts[name] = HostTexts(qualifier->GetValue(kNoContext));
            return true;
        },
        kNoContext);
    return texts;
}

std::string TypeText(const MofTyped& typed, bool withArray)
{
    return typed.type + (withArray && typed.isArray ? "[]" : "");
}

// The host types of the method's parameters by lower-cased name.
std::map<std::string, std::string> ParameterTypes(const ICIMMethodDecl& method)
{
    std::map<std::string, std::string> types;
    ICIMMethodDecl::TParameterDeclCallback collect = [&types](boost::shared_ptr<ICIMParameterDecl> parameter) {
        types[Lower(parameter->GetName(kNoContext))] = parameter->GetType(kNoContext).GetName();
        EXPECT_TRUE(LoadedTexts(*parameter).empty()) << parameter->GetName(kNoContext);
        return true;
    };
    method.EnumerateParameterDecls(collect, kNoContext);
    return types;
}

std::vector<std::string> SortedLower(std::vector<std::string> names)
{
    for (std::string& name : names)
        name = Lower(name);
    std::sort(names.begin(), names.end());
    return names;
}

class CapturedClassesTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        testcimom::ServerOptions options = ServerOptionsFor(testcimom::DataSetKind::Capture);
        options.dataSet.testBigInstances = 0;
        fServer = StartServer(options);
        fClasses = ReadMofClasses(Captures::directory() + "/mof/schema.mof");
    }

    void ExpectProperties(const MofClass& mof, const ICIMClass& cls)
    {
        std::vector<std::string> expected{"NodeID"};
        for (const MofProperty& property : mof.properties) {
            expected.push_back(property.name);
            auto declaration = cls.GetPropertyDecl(property.name, kNoContext);
            ASSERT_TRUE(declaration) << mof.name << "." << property.name;
            // The declaration takes the type; the MOF's default value (EnabledState = 5) stays on the server.
            EXPECT_EQ(TypeText(property, true), declaration->GetType(kNoContext).GetName()) << property.name;
            EXPECT_TRUE(declaration->GetDefaultValue(kNoContext).IsNull()) << property.name;
            EXPECT_EQ(MofTexts(property.qualifiers), LoadedTexts(*declaration)) << mof.name << "." << property.name;
        }
        EXPECT_EQ(SortedLower(expected), SortedLower(PropertyNamesOf(cls))) << mof.name;
        EXPECT_EQ(TCIMValue(""), cls.GetPropertyDecl("NodeID", kNoContext)->GetDefaultValue(kNoContext));
    }

    // Methods come with parameters, all of them scalar, and without qualifiers.
    void ExpectMethods(const MofClass& mof, const ICIMClass& cls)
    {
        std::size_t count = 0;
        cls.EnumerateMethodDecls([&count](boost::shared_ptr<ICIMMethodDecl>) { return ++count > 0; }, kNoContext);
        EXPECT_EQ(mof.methods.size(), count) << mof.name;
        for (const MofMethod& method : mof.methods) {
            auto declaration = cls.GetMethodDecl(method.name, kNoContext);
            ASSERT_TRUE(declaration) << mof.name << "." << method.name;
            EXPECT_EQ(TypeText(method, false), declaration->GetReturnType(kNoContext).GetName());
            EXPECT_TRUE(LoadedTexts(*declaration).empty());
            std::map<std::string, std::string> expected;
            for (const MofTyped& parameter : method.parameters)
                expected[Lower(parameter.name)] = TypeText(parameter, false);
            EXPECT_EQ(expected, ParameterTypes(*declaration)) << method.name;
        }
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::vector<MofClass> fClasses;
};

TEST_F(CapturedClassesTest, EveryClassMatchesItsMof)
{
    ASSERT_EQ(22u, fClasses.size());
    ServedNamespace served;
    for (const MofClass& mof : fClasses) {
        auto cls = served->GetClass(mof.name, kNoContext);
        ASSERT_TRUE(cls) << mof.name;
        EXPECT_EQ(mof.name, cls->GetName(kNoContext));
        EXPECT_EQ(MofTexts(mof.qualifiers), LoadedTexts(*cls)) << mof.name;
        EXPECT_EQ(MofTexts(mof.qualifiers).count("association") == 1, cls->IsAssociation(kNoContext));
        EXPECT_EQ(MofTexts(mof.qualifiers).count("abstract") == 1, cls->IsAbstract(kNoContext));
        auto superClass = cls->GetSuperClass(kNoContext);
        ASSERT_TRUE(superClass) << mof.name;
        EXPECT_EQ(mof.superClass.empty() ? "<root>" : mof.superClass, superClass->GetName(kNoContext));
        ExpectProperties(mof, *cls);
        ExpectMethods(mof, *cls);
    }
}

// The flavor a qualifier declaration gets from the text the client library
// writes for the flavor the server sent: the whole text is looked up, so
// only a flavor of one bit has a text that maps to bits; "TOSUBCLASS" alone
// gives the host's to-subclass bit.
TEST_F(CapturedClassesTest, CapturedFlavorTextsAsHostFlavors)
{
    const std::map<std::string, int> hostFlavorOf = {
        {"OVERRIDABLE", 0},                          // Abstract, Override
        {"TOSUBCLASS", 2},                           // Key, Association, ArrayType, ...
        {"OVERRIDABLE TRANSLATABLE", 0},             // Version
        {"OVERRIDABLE TOSUBCLASS TRANSLATABLE", 0},  // Description
        {"OVERRIDABLE TOSUBCLASS", 0},               // MaxLen, ValueMap, Units, ...
    };
    ServedNamespace served;
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));
    std::set<std::string> seen;
    auto expectFlavor = [&](const Pegasus::CIMConstQualifier& qualifier) {
        const std::string text(qualifier.getFlavor().toString().getCString());
        const std::string name(qualifier.getName().getString().getCString());
        seen.insert(text);
        ASSERT_EQ(1u, hostFlavorOf.count(text)) << name << ": " << text;
        auto declaration = served->GetQualifierDecl(name, kNoContext);
        ASSERT_TRUE(declaration) << name;
        EXPECT_EQ(hostFlavorOf.at(text), declaration->GetFlavor(kNoContext)) << name;
    };
    for (const MofClass& mof : fClasses) {
        ASSERT_TRUE(served->GetClass(mof.name, kNoContext)) << mof.name;
        const Pegasus::CIMClass captured =
            client.GetClass("root/cimv2", mof.name, 15000, true, true, false, Pegasus::CIMPropertyList());
        for (Pegasus::Uint32 i = 0; i < captured.getQualifierCount(); ++i)
            expectFlavor(captured.getQualifier(i));
        for (Pegasus::Uint32 i = 0; i < captured.getPropertyCount(); ++i)
            for (Pegasus::Uint32 j = 0; j < captured.getProperty(i).getQualifierCount(); ++j)
                expectFlavor(captured.getProperty(i).getQualifier(j));
    }
    EXPECT_EQ(hostFlavorOf.size(), seen.size());
}

}  // namespace
