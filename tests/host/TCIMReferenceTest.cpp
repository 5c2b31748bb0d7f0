#include <qel/TCIMReference.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/TInmemNamespace.h>
#include <qel/TQELException.h>

using namespace NVORNQEL20;

namespace {

TCIMReference Parsed(const std::string& path) {
    TCIMReference reference;
    reference.SetPath(path);
    return reference;
}

}  // namespace

TEST(TCIMReference, PathTextsReadBackUnchanged) {
    for (const char* path :
         {"//host/root/cimv2:CIM_Foo.Name=\"a\",Id=1", "root/cimv2:CIM_Foo.Id=-12", "CIM_Foo.Flag=TRUE,Ratio=2.5",
          "CIM_Foo", "//esx01:5989/root/cimv2:CIM_Foo.Name=\"a:b.c=d,e\"",
          "CIM_Foo.Name=\"say \\\"hi\\\" \\\\ bye\"",
          "CIM_Assoc.Ref=\"//h/root/cimv2:CIM_Foo.Name=\\\"x\\\"\",Id=18446744073709551615"}) {
        EXPECT_EQ(path, Parsed(path).GetPath());
    }
}

TEST(TCIMReference, PartsAndKeyTypesOfAPath) {
    TCIMReference reference = Parsed("//esx01:5989/root/cimv2:CIM_Foo.Name=\"a\\\"b\",Id=7,On=false,Low=-1,R=0.5");
    EXPECT_EQ("esx01:5989", reference.GetHost());
    EXPECT_EQ("root/cimv2", reference.GetNamespaceName());
    EXPECT_EQ("CIM_Foo", reference.GetClassName());
    const std::vector<TCIMReference::TKeyBinding>& keys = reference.GetKeyBindings();
    ASSERT_EQ(5u, keys.size());
    EXPECT_EQ(TCIMValue("a\"b"), keys[0].second);
    EXPECT_EQ(TCIMValue(7ull), keys[1].second);
    EXPECT_EQ(TCIMValue(false), keys[2].second);
    EXPECT_EQ(TCIMValue(-1ll), keys[3].second);
    EXPECT_EQ(TCIMValue(0.5), keys[4].second);
    EXPECT_EQ(0u, Parsed("CIM_Singleton=@").GetKeyBindings().size());
    EXPECT_EQ("CIM_Singleton", Parsed("CIM_Singleton=@").GetClassName());
}

TEST(TCIMReference, MalformedPathsAreRefusedAndLeaveTheReferenceAsItWas) {
    TCIMReference reference = Parsed("CIM_Foo.Id=1");
    for (const char* path : {" ", "//host", "//host/CIM_Foo.Id=1", "1CIM.Id=1", "CIM_Foo.", "CIM_Foo.Id",
                             "CIM_Foo.Id=1,", "CIM_Foo.Id=\"open", "CIM_Foo.Id=abc", "CIM_Foo.Id=1;x",
                             "CIM_Foo.Id=\"a\"b", "CIM_Foo Bar", "CIM_Foo.my-key=1"}) {
        try {
            reference.SetPath(path);
            ADD_FAILURE() << "accepted " << path;
        } catch (const TQELException& error) {
            EXPECT_EQ(4, error.GetStatusCode()) << path;
        }
    }
    EXPECT_EQ("CIM_Foo.Id=1", reference.GetPath());
}

TEST(TCIMReference, TheEmptyPathGivesTheEmptyReference) {
    TCIMReference reference = Parsed("//host/root/cimv2:CIM_Foo.Id=1");
    reference.SetPath("");
    EXPECT_EQ("", reference.GetPath());
    EXPECT_EQ("", reference.GetHost());
    EXPECT_EQ("", reference.GetNamespaceName());
    EXPECT_EQ("", reference.GetClassName());
    EXPECT_TRUE(reference.GetKeyBindings().empty());
    EXPECT_EQ(TCIMReference(), reference);
}

TEST(TCIMReference, BuiltFromKeyBindingsInNameOrderWithoutRegardToLetterCase) {
    auto nameSpace = boost::make_shared<TInmemNamespace>();
    TCIMReference inner = Parsed("CIM_Bar.Id=2");
    TCIMContext keys{{"Name", TCIMValue("x")},
                     {"id", TCIMValue(5u)},
                     {"Ref", TCIMValue(inner)},
                     {"when", TCIMValue(TCIMDateTime("00000001000000.000000:000"))},
                     {"Missing", TCIMValue(TCIMValue::TCIMType::eString, 0)},
                     {"_Z", TCIMValue(true)}};
    TCIMReference reference(nameSpace, keys, "CIM_Foo");
    EXPECT_EQ("CIM_Foo._Z=TRUE,id=5,Missing=\"\",Name=\"x\",Ref=\"CIM_Bar.Id=2\",when=\"00000001000000.000000:000\"",
              reference.GetPath());
    EXPECT_EQ(nameSpace, reference.GetNamespace());
    nameSpace.reset();
    EXPECT_FALSE(reference.GetNamespace());
}
