// The walks of a class beyond itself: its subclasses, depth first with the
// callback's early stops, the namespace's root classes, and the two
// association walks, whose only effect is the classes they look up, seen in
// the test CIMOM's request log.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <testcimom/CimServer.h>

#include "class/TCimHTTPClass.h"
#include "namespace/TCimHTTPNamespace.h"
#include "MethodTestData.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

// VORN_ComputerSystem and its superclasses, root first: the order in which
// loading it makes them join the namespace.
std::vector<std::string> ComputerSystemChainRootFirst()
{
    return std::vector<std::string>(DemoComputerSystemChain().rbegin(), DemoComputerSystemChain().rend());
}

// Records the classes it is called with; returns false for the one named `stopAt`.
class TRecorder {
public:
    explicit TRecorder(std::string stopAt = std::string()) : fStopAt(std::move(stopAt)) {}

    ICIMClass::TClassCallback Callback()
    {
        return [this](boost::shared_ptr<ICIMClass> cls) {
            fNames.push_back(cls->GetName(kNoContext));
            return fNames.back() != fStopAt;
        };
    }
    const std::vector<std::string>& Names() const { return fNames; }

private:
    std::string fStopAt;
    std::vector<std::string> fNames;
};

std::vector<std::string> SubClassesOf(const ICIMClass& cls, bool deep, const std::string& stopAt = std::string())
{
    TRecorder recorder(stopAt);
    cls.EnumerateSubClasses(recorder.Callback(), deep, kNoContext);
    return recorder.Names();
}

std::vector<std::string> RootClassesOf(ICIMNamespace& nameSpace, const std::string& stopAt = std::string())
{
    TRecorder recorder(stopAt);
    nameSpace.EnumerateRootClasses(recorder.Callback(), kNoContext);
    return recorder.Names();
}

std::vector<std::string> Concatenated(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(ClassWalk, SubClassesDepthFirstEachChildBeforeItsOwnWithEarlyStops)
{
    auto nameSpace = boost::make_shared<TCimHTTPNamespace>(false, "root/cimv2");
    auto make = [&](const std::string& name) {
        return boost::make_shared<TCimHTTPClass>(nameSpace, 60000, name, boost::shared_ptr<TCimHTTPClass>());
    };
    auto parent = make("P"), a = make("A"), a1 = make("A1"), b = make("B");
    parent->AddChildClass(a, kNoContext);
    parent->AddChildClass(b, kNoContext);
    a->AddChildClass(a1, kNoContext);

    EXPECT_EQ((std::vector<std::string>{"A", "A1", "B"}), SubClassesOf(*parent, true));
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), SubClassesOf(*parent, false));
    EXPECT_EQ((std::vector<std::string>{"A", "A1", "B"}), SubClassesOf(*parent, true, "A1"))
        << "a stop inside A's walk ends only A's walk";
    EXPECT_EQ(std::vector<std::string>{"A"}, SubClassesOf(*parent, true, "A"));
    EXPECT_TRUE(SubClassesOf(*b, true).empty());

    // Children added in a circle: each is listed where it stands, and the
    // walk does not go round again.
    a1->AddChildClass(parent, kNoContext);
    a1->AddChildClass(a, kNoContext);
    EXPECT_EQ((std::vector<std::string>{"A", "A1", "P", "A", "B"}), SubClassesOf(*parent, true));
    EXPECT_EQ((std::vector<std::string>{"A1", "P", "A", "B", "A"}), SubClassesOf(*a, true));
    // Children are owned: the circle is broken by replacing its members with
    // classes of the same names.
    a1->AddChildClass(make("P"), kNoContext);
    a1->AddChildClass(make("A"), kNoContext);
}

class ClassWalkTest : public ServedDemoTest {
protected:
    boost::shared_ptr<ICIMClass> Load(const std::string& name)
    {
        boost::shared_ptr<ICIMClass> cls = (*fServed)->GetClass(name, kNoContext);
        EXPECT_TRUE(cls) << name;
        return cls;
    }
};

TEST_F(ClassWalkTest, RootClassesAreTheLoadedClassesInTheOrderTheyJoined)
{
    EXPECT_TRUE(RootClassesOf(*fServed->Namespace()).empty());
    const boost::shared_ptr<ICIMClass> computerSystem = Load("VORN_ComputerSystem");
    EXPECT_EQ(ComputerSystemChainRootFirst(), RootClassesOf(*fServed->Namespace()));
    Load(kMethodTestClass);
    EXPECT_EQ(Concatenated(ComputerSystemChainRootFirst(), {kMethodTestClass}), RootClassesOf(*fServed->Namespace()));
    EXPECT_EQ((std::vector<std::string>{"CIM_ManagedElement", "CIM_ManagedSystemElement"}),
              RootClassesOf(*fServed->Namespace(), "CIM_ManagedSystemElement"));
    EXPECT_TRUE(SubClassesOf(*computerSystem, true).empty()) << "only the root class has children of itself";

    // A class loaded while the walk runs joins the root class's children,
    // but not the walk under way.
    std::vector<std::string> walked;
    fServed->Namespace()->EnumerateRootClasses(
        [&](boost::shared_ptr<ICIMClass> cls) {
            walked.push_back(cls->GetName(kNoContext));
            if (walked.size() == 1)
                Load(kMethodTestLinkClass);
            return true;
        },
        kNoContext);
    EXPECT_EQ(Concatenated(ComputerSystemChainRootFirst(), {kMethodTestClass}), walked);
    EXPECT_EQ(Concatenated(ComputerSystemChainRootFirst(), {kMethodTestClass, kMethodTestLinkClass}),
              RootClassesOf(*fServed->Namespace()));

    fServed->Namespace()->disconnect();
    EXPECT_TRUE(RootClassesOf(*fServed->Namespace()).empty()) << "not connected";
}

// The association walks never call back; what they do is look classes up,
// which loads those the namespace does not hold yet.
TEST_F(ClassWalkTest, AssociationWalksOnlyLookClassesUp)
{
    const boost::shared_ptr<ICIMClass> computerSystem = Load("VORN_ComputerSystem");
    const boost::shared_ptr<ICIMClass> root = (*fServed)->GetClass("", kNoContext);
    ForgetRequestsAndLog();
    TRecorder recorder;

    // The result class, then each superclass as the server names it, up to the root class.
    computerSystem->EnumerateAssociationClasses(recorder.Callback(), kMethodTestClass, "Antecedent", kNoContext);
    std::vector<std::string> expected = {std::string(kMethodTestClass) + " LocalOnly=false",
                                         std::string(kMethodTestClass) + " LocalOnly=true"};
    for (const std::string& name : DemoComputerSystemChain())
        expected.push_back(name + " LocalOnly=true");
    EXPECT_EQ(expected, ClassFetches(*fServer));

    ForgetRequestsAndLog();
    root->EnumerateAssociationClasses(recorder.Callback(), kMethodTestClass, "", kNoContext);
    EXPECT_TRUE(fServer->requestLog().all().empty()) << "a cached result class, and the root class has no superclass";

    // The association class, then the result class; the parents end at the root class at once.
    computerSystem->EnumerateAssociatedClasses(recorder.Callback(), kMethodTestLinkClass, "CIM_System", "Antecedent",
                                               "Dependent", kNoContext);
    EXPECT_EQ((std::vector<std::string>{std::string(kMethodTestLinkClass) + " LocalOnly=false",
                                        std::string(kMethodTestLinkClass) + " LocalOnly=true"}),
              ClassFetches(*fServer));
    ForgetRequestsAndLog();
    root->EnumerateAssociatedClasses(recorder.Callback(), "", "", "", "", kNoContext);
    EXPECT_TRUE(fServer->requestLog().all().empty());

    EXPECT_TRUE(recorder.Names().empty());
    for (int level : {0, 3})
        for (const std::string& message : LoggedMessages(level))
            EXPECT_FALSE(StartsWith(message, "TCimHTTPClass::")) << message;
}

// A server whose superclasses go round in a circle (its schema changed
// after the classes were loaded) cannot keep the walk going.
TEST_F(ClassWalkTest, SuperclassWalkEndsOnACircleOfSuperclasses)
{
    testcimom::CimClass first;
    first.name = "Test_First";
    testcimom::CimClass second;
    second.name = "Test_Second";
    second.superClass = first.name;
    fServer->repository().addClass("root/cimv2", first);
    fServer->repository().addClass("root/cimv2", second);
    const boost::shared_ptr<ICIMClass> loaded = Load(first.name);
    Load(second.name);
    first.superClass = second.name;
    fServer->repository().replaceClass("root/cimv2", first);
    ForgetRequestsAndLog();

    TRecorder recorder;
    loaded->EnumerateAssociationClasses(recorder.Callback(), "", "", kNoContext);
    EXPECT_EQ(32u, fServer->requestLog().of("GetClass").size());
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPClass::EnumerateAssociationClasses Test_First : the superclass "
                                       "chain does not end within 32 classes"},
              LoggedMessages(0));
    EXPECT_TRUE(recorder.Names().empty());
}

// A class without its namespace walks nothing; one never initialized still
// looks its classes up.
TEST_F(ClassWalkTest, WalksOfClassesWithoutNamespaceOrInitializationEndQuietly)
{
    auto uninitialized = boost::make_shared<TCimHTTPClass>(fServed->Namespace(), 60000, "Test_Unloaded",
                                                           boost::shared_ptr<TCimHTTPClass>());
    ForgetRequestsAndLog();
    TRecorder recorder;
    uninitialized->EnumerateAssociatedClasses(recorder.Callback(), "CIM_ManagedElement", "", "", "", kNoContext);
    EXPECT_EQ((std::vector<std::string>{"CIM_ManagedElement LocalOnly=false", "CIM_ManagedElement LocalOnly=true"}),
              ClassFetches(*fServer));
    const std::vector<std::string> messages = LoggedMessages();
    EXPECT_EQ("TCimHTTPClass::EnumerateAssociatedClasses Test_Unloaded : the class was never initialized",
              messages.back());

    fServed.reset();
    ForgetRequestsAndLog();
    uninitialized->EnumerateAssociatedClasses(recorder.Callback(), "CIM_System", "", "", "", kNoContext);
    uninitialized->EnumerateAssociationClasses(recorder.Callback(), "CIM_System", "", kNoContext);
    EXPECT_EQ((std::vector<std::string>{
                  "TCimHTTPClass::EnumerateAssociatedClasses Test_Unloaded : its namespace is gone",
                  "TCimHTTPClass::EnumerateAssociationClasses Test_Unloaded : its namespace is gone"}),
              LoggedMessages());
    EXPECT_TRUE(fServer->requestLog().all().empty());
    EXPECT_TRUE(recorder.Names().empty());
}

}  // namespace
