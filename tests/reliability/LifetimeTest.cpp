// The host lets go of what the plug-in handed it in any order: the
// namespace before its classes, instances, properties and declarations, a
// property value kept after its instance. Each weak back-reference then
// gives an empty pointer or the documented exception (boost::bad_weak_ptr,
// or the host's TQELException), never a use after free (the asan build
// checks that); and once the host holds nothing, nothing the plug-in made is
// left alive, so there is no reference cycle.
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>
#include <boost/smart_ptr/bad_weak_ptr.hpp>

#include <qel/TQELException.h>
#include <qel/TVORNCNamespace.h>

#include "class/TCimHTTPClass.h"
#include "instance/TCimHTTPProperty.h"
#include "InstanceTestSupport.h"
#include "LiveObjects.h"
#include "MethodTestData.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

// Runs a call on an object whose owners may be gone: true when it returned,
// false when it threw what the plug-in documents for that case.
bool Survives(const std::function<void()>& call)
{
    try {
        call();
        return true;
    } catch (const boost::bad_weak_ptr&) {
    } catch (const TQELException&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << "undocumented exception: " << e.what();
    }
    return false;
}

// What the host holds, each owner released on its own.
struct THeld {
    std::unique_ptr<ServedNamespace> fNamespace;
    boost::shared_ptr<ICIMClass> fClass;
    boost::shared_ptr<ICIMInstance> fInstance;
    boost::shared_ptr<ICIMProperty> fProperty;
    boost::shared_ptr<TCimHTTPProperty> fShown;
    boost::shared_ptr<ICIMPropertyDecl> fPropertyDecl;
    boost::shared_ptr<ICIMQualifier> fQualifier;
    boost::shared_ptr<ICIMQualifierDecl> fQualifierDecl;
    boost::shared_ptr<ICIMMethodDecl> fMethod;
    boost::shared_ptr<ICIMParameterDecl> fParameter;
    // Kept to the end: a reference to a class of the namespace, and the
    // instance's path.
    TCIMValue fValue;
    TCIMReference fPath;
};

enum EOwner { eNamespace, eClass, eInstance, eProperty, eDeclarations, eOwnerCount };

const char* NameOf(int owner)
{
    static const char* const names[] = {"Namespace", "Class", "Instance", "Property", "Declarations"};
    return names[owner];
}

void Release(THeld& held, int owner)
{
    switch (owner) {
    case eNamespace: held.fNamespace.reset(); break;
    case eClass: held.fClass.reset(); break;
    case eInstance: held.fInstance.reset(); break;
    case eProperty:
        held.fProperty.reset();
        held.fShown.reset();
        break;
    case eDeclarations:
        held.fPropertyDecl.reset();
        held.fQualifier.reset();
        held.fQualifierDecl.reset();
        held.fMethod.reset();
        held.fParameter.reset();
        break;
    }
}

// A demo CIMOM on the first node's address.
class DemoCimomTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
    }

    std::unique_ptr<testcimom::CimServer> fServer;
};

class LifetimeTest : public DemoCimomTest, public ::testing::WithParamInterface<int> {
protected:

    // VORN_MethodTestLink (an association whose references point at
    // VORN_MethodTest) and what the host takes from it.
    THeld Hold()
    {
        THeld held;
        held.fNamespace = std::make_unique<ServedNamespace>();
        held.fClass = (*held.fNamespace)->GetClass(kMethodTestLinkClass, kNoContext);
        const TInstances instances = Enumerate(*held.fClass);
        held.fInstance = instances.at(0);
        held.fProperty = held.fInstance->GetProperty("Antecedent", kNoContext);
        held.fShown = boost::make_shared<TCimHTTPProperty>(boost::shared_ptr<const ICIMProperty>(held.fProperty));
        held.fPropertyDecl = held.fClass->GetPropertyDecl("Antecedent", kNoContext);
        held.fQualifier = held.fPropertyDecl->GetQualifier("Key", kNoContext);
        held.fQualifierDecl = boost::const_pointer_cast<ICIMQualifierDecl>(held.fQualifier->GetDeclaration(kNoContext));
        held.fMethod = held.fClass->GetMethodDecl("Identify", kNoContext);
        held.fParameter = held.fMethod->GetParameterDecl("Self", kNoContext);
        held.fValue = held.fProperty->GetValue(kNoContext);
        EXPECT_TRUE(held.fValue.GetReferencedClass());
        held.fPath = held.fInstance->GetReference(kNoContext);
        return held;
    }

    // Every object the host could reach, watched.
    static void Watch(const THeld& held, TLiveObjects& live)
    {
        live.Watch(held.fNamespace->Namespace());
        live.WatchNamespace(*held.fNamespace->Namespace());
        live.WatchInstance(held.fInstance);
    }

    // Asks every object the host still holds what depends on its owners.
    static void ExerciseWhatIsHeld(const THeld& held)
    {
        const bool namespaceAlive = static_cast<bool>(held.fNamespace);
        const bool classAlive = held.fClass || namespaceAlive;
        const bool declarationsAlive = held.fPropertyDecl || classAlive;
        if (held.fClass)
            ExerciseClass(held.fClass, held.fPath, namespaceAlive);
        if (held.fInstance) {
            EXPECT_EQ(classAlive, static_cast<bool>(held.fInstance->GetClass(kNoContext)));
            Survives([&] { held.fInstance->GetReference(kNoContext).GetPath(); });
            Survives([&] { held.fInstance->GetProperty("Antecedent", kNoContext)->GetValue(kNoContext); });
            Survives([&] {
                held.fInstance->EnumerateProperties([](boost::shared_ptr<ICIMProperty>) { return true; }, kNoContext);
            });
        }
        if (held.fProperty) {
            EXPECT_EQ(declarationsAlive, static_cast<bool>(held.fProperty->GetDeclaration(kNoContext)));
            EXPECT_TRUE(Survives([&] { held.fProperty->GetValue(kNoContext).ToString(); }));
            EXPECT_EQ(declarationsAlive, static_cast<bool>(held.fShown->GetDeclaration(kNoContext)));
            EXPECT_EQ(declarationsAlive, Survives([&] { held.fShown->ToString(); }));
        }
        if (held.fPropertyDecl)
            ExerciseDeclarations(held, classAlive, namespaceAlive);
        EXPECT_EQ(namespaceAlive, static_cast<bool>(held.fValue.GetReferencedClass()));
    }

    // Without its namespace a class answers from its own tables; what needs
    // the namespace gives empty results.
    static void ExerciseClass(const boost::shared_ptr<ICIMClass>& cls, const TCIMReference& path, bool namespaceAlive)
    {
        EXPECT_EQ(namespaceAlive, static_cast<bool>(cls->GetNamespace(kNoContext)));
        EXPECT_EQ(namespaceAlive, static_cast<bool>(cls->GetSuperClass(kNoContext)));
        Survives([&] { cls->IsRootClass(kNoContext); });
        EXPECT_TRUE(cls->IsSubclassOf(cls, kNoContext));
        EXPECT_EQ(namespaceAlive ? 2u : 0u, Enumerate(*cls).size());
        EXPECT_TRUE(cls->GetPropertyDecl("Dependent", kNoContext));
        TCIMContext outputs;
        const TCIMValue identity = boost::dynamic_pointer_cast<TCimHTTPClass>(cls)->InvokeMethod(
            path, "Identify", TCIMContext(), outputs, kNoContext);
        EXPECT_EQ(namespaceAlive, !identity.IsNull()) << Shown(identity);
    }

    // Adding a declaration again is refused while its owner lives (it has
    // one of that name) and throws bad_weak_ptr once the owner is gone.
    static void ExerciseDeclarations(const THeld& held, bool classAlive, bool namespaceAlive)
    {
        EXPECT_EQ(classAlive, static_cast<bool>(held.fPropertyDecl->GetClass(kNoContext)));
        EXPECT_EQ(classAlive, static_cast<bool>(held.fMethod->GetClass(kNoContext)));
        EXPECT_EQ(held.fPropertyDecl,
                  boost::const_pointer_cast<ICIMNamedElement>(held.fQualifier->GetClassOrProperty(kNoContext)));
        EXPECT_EQ(held.fMethod, held.fParameter->GetMethodDecl(kNoContext));
        EXPECT_EQ(namespaceAlive, static_cast<bool>(held.fQualifierDecl->GetNamespace(kNoContext)));
        EXPECT_FALSE(Survives([&] { held.fPropertyDecl->AddToClass(kNoContext); }));
        EXPECT_FALSE(Survives([&] { held.fQualifierDecl->AddToNamespace(kNoContext); }));
    }
};

// Every order in which the five owners can go, those beginning with the
// parameter's owner.
TEST_P(LifetimeTest, OwnersReleasedInAnyOrder)
{
    std::array<int, eOwnerCount> order = {0, 1, 2, 3, 4};
    std::rotate(order.begin(), order.begin() + GetParam(), order.begin() + GetParam() + 1);
    do {
        std::string described;
        for (int owner : order)
            described += std::string(" ") + NameOf(owner);
        SCOPED_TRACE("released:" + described);
        TLiveObjects live;
        THeld held = Hold();
        Watch(held, live);
        for (int owner : order) {
            Release(held, owner);
            ExerciseWhatIsHeld(held);
        }
        EXPECT_EQ(0u, live.Alive()) << "of " << live.Watched();
        EXPECT_TRUE(held.fValue.ToString().find("VORN_MethodTest.") != std::string::npos) << held.fValue.ToString();
    } while (std::next_permutation(order.begin() + 1, order.end()));
}

INSTANTIATE_TEST_SUITE_P(FirstReleased, LifetimeTest, ::testing::Range(0, int(eOwnerCount)),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(NameOf(info.param)); });

// Classes a host links as each other's children own each other; the
// namespace lets go of its classes' children, so they go with it.
TEST_F(DemoCimomTest, ChildrenLinkedInACircleGoWithTheNamespace)
{
    TLiveObjects live;
    {
        ServedNamespace served;
        auto system = served->GetClass("VORN_ComputerSystem", kNoContext);
        auto memory = served->GetClass("VORN_Memory", kNoContext);
        system->AddChildClass(memory, kNoContext);
        memory->AddChildClass(system, kNoContext);
        for (const auto& instance : Enumerate(*system, true))
            live.WatchInstance(instance);
        live.Watch(served.Namespace());
        live.WatchNamespace(*served.Namespace());
    }
    EXPECT_EQ(0u, live.Alive()) << "of " << live.Watched();
}

}  // namespace
