// The repository built in code: classes resolved against superclasses,
// instances normalized against their class, changes and removals.

#include "testcimom/CimError.h"
#include "testcimom/InstanceGenerator.h"
#include "testcimom/Repository.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace testcimom {
namespace {

Qualifier qualifier(const std::string& name, Value value, bool toSubclass = true)
{
    Qualifier made;
    made.name = name;
    made.value = std::move(value);
    made.flavor.toSubclass = toSubclass;
    return made;
}

CimClass baseClass()
{
    CimClass base;
    base.name = "Demo_Base";
    base.qualifiers = {qualifier("Description", Value::text("base")), qualifier("Abstract", Value::boolean(true), false)};
    base.properties = {Property::of("Id", Value::null(CimType::String), {qualifier("Key", Value::boolean(true))}),
                       Property::of("Size", Value::null(CimType::Uint32),
                                {qualifier("Units", Value::text("Bytes")), qualifier("Description", Value::text("old"))}),
                       Property::of("State", Value::scalar(CimType::Uint16, "5"))};
    return base;
}

CimClass derivedClass()
{
    CimClass derived;
    derived.name = "Demo_Derived";
    derived.superClass = "Demo_Base";
    derived.properties = {Property::of("Extra", Value::null(CimType::String)),
                          Property::of("Size", Value::null(CimType::Uint32),
                                   {qualifier("Override", Value::text("Size"), false),
                                    qualifier("Description", Value::text("new"))})};
    return derived;
}

int codeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CimError& error) {
        return error.code();
    }
    return 0;
}

class RepositoryInCode : public ::testing::Test {
protected:
    RepositoryInCode()
    {
        repository_.addNamespace("root/demo");
        repository_.addClass(ns_, baseClass());
        repository_.addClass(ns_, derivedClass());
    }

    Instance derivedInstance(const std::string& id)
    {
        Instance instance;
        instance.className = "Demo_Derived";
        instance.set("Extra", Value::text("x"));
        instance.set("Id", Value::text(id));
        return instance;
    }

    Repository repository_;
    const std::string ns_ = "root/demo";
};

TEST_F(RepositoryInCode, SubclassesInheritWhatFlowsDown)
{
    CimClass resolved = *repository_.resolvedClass(ns_, "demo_derived");
    ASSERT_EQ(resolved.properties.size(), 4u);
    EXPECT_EQ(resolved.properties[0].name, "Id");
    EXPECT_TRUE(resolved.properties[0].propagated);
    EXPECT_EQ(resolved.properties[0].classOrigin, "Demo_Base");
    EXPECT_EQ(resolved.properties[1].name, "State");
    EXPECT_EQ(resolved.properties[2].name, "Extra");
    EXPECT_EQ(resolved.properties[2].classOrigin, "Demo_Derived");
    const Property& size = resolved.properties[3];
    EXPECT_EQ(size.name, "Size");
    EXPECT_FALSE(size.propagated) << "an override is the subclass's own";
    EXPECT_EQ(size.classOrigin, "Demo_Base");
    ASSERT_EQ(size.qualifiers.size(), 3u);
    EXPECT_EQ(size.qualifiers[0].name, "Units");
    EXPECT_TRUE(size.qualifiers[0].propagated);
    EXPECT_EQ(size.qualifiers[2].value.items.front(), "new");
    ASSERT_EQ(resolved.qualifiers.size(), 1u) << "Abstract is restricted to its class";
    EXPECT_EQ(resolved.qualifiers[0].name, "Description");
    EXPECT_TRUE(resolved.qualifiers[0].propagated);
    EXPECT_EQ(repository_.subclassNames(ns_, "", true), (std::vector<std::string>{"Demo_Base", "Demo_Derived"}));
    EXPECT_EQ(repository_.subclassNames(ns_, "", false), (std::vector<std::string>{"Demo_Base"}));
}

TEST_F(RepositoryInCode, ClassChangesAreCheckedAndReachSubclasses)
{
    EXPECT_EQ(codeOf([&] { repository_.addClass(ns_, baseClass()); }), 11);
    CimClass orphan = derivedClass();
    orphan.name = "Demo_Orphan";
    orphan.superClass = "Demo_Missing";
    EXPECT_EQ(codeOf([&] { repository_.addClass(ns_, orphan); }), 10);
    EXPECT_EQ(codeOf([&] { repository_.addClass("root/nowhere", baseClass()); }), 3);
    EXPECT_EQ(codeOf([&] { repository_.replaceClass(ns_, orphan); }), 6);

    CimClass wider = baseClass();
    wider.properties.push_back(Property::of("Added", Value::null(CimType::Boolean)));
    repository_.replaceClass(ns_, wider);
    EXPECT_NE(repository_.resolvedClass(ns_, "Demo_Derived")->findProperty("Added"), nullptr);

    repository_.addInstance(ns_, derivedInstance("a"));
    repository_.removeClass(ns_, "Demo_Base");
    EXPECT_FALSE(repository_.resolvedClass(ns_, "Demo_Derived"));
    EXPECT_EQ(codeOf([&] { repository_.instances(ns_, "Demo_Derived"); }), 5);
    repository_.addClass(ns_, baseClass());
    repository_.addClass(ns_, derivedClass());
    EXPECT_TRUE(repository_.instances(ns_, "Demo_Base").empty()) << "instances went with their class";
}

TEST_F(RepositoryInCode, InstancesAreCompletedFromTheirClass)
{
    ObjectPath path = repository_.addInstance(ns_, derivedInstance("a"));
    EXPECT_EQ(path.toString(), "Demo_Derived.Id=\"a\"");
    InstanceRef stored = repository_.findInstance(ns_, path);
    ASSERT_TRUE(stored);
    const auto& properties = stored->instance.properties;
    ASSERT_EQ(properties.size(), 4u);
    EXPECT_EQ(properties[0].name, "State") << "left-out properties come first";
    EXPECT_TRUE(properties[0].propagated);
    EXPECT_EQ(properties[0].value.items.front(), "5") << "with the class default";
    EXPECT_EQ(properties[1].name, "Size");
    EXPECT_TRUE(properties[1].value.isNull);
    EXPECT_EQ(properties[2].name, "Extra");
    EXPECT_FALSE(properties[2].propagated);
    EXPECT_EQ(properties[3].value.type, CimType::String);

    EXPECT_EQ(codeOf([&] { repository_.addInstance(ns_, derivedInstance("a")); }), 11);
    Instance unknown = derivedInstance("b");
    unknown.set("Colour", Value::text("red"));
    EXPECT_EQ(codeOf([&] { repository_.addInstance(ns_, unknown); }), 12);
    Instance keyless;
    keyless.className = "Demo_Derived";
    EXPECT_EQ(codeOf([&] { repository_.addInstance(ns_, keyless); }), 4);

    Instance changed = derivedInstance("a");
    changed.set("Extra", Value::text("y"));
    repository_.putInstance(ns_, changed);
    ASSERT_EQ(repository_.instances(ns_, "Demo_Base").size(), 1u);
    EXPECT_EQ(repository_.instances(ns_, "Demo_Base")[0]->instance.findProperty("extra")->value.items.front(), "y");
    EXPECT_TRUE(repository_.instances(ns_, "Demo_Base", false).empty());

    ObjectPath differentCase;
    differentCase.className = "DEMO_DERIVED";
    differentCase.keys.push_back({"ID", "string", "a", nullptr});
    repository_.removeInstance(ns_, differentCase);
    EXPECT_TRUE(repository_.instances(ns_, "Demo_Base").empty());
    EXPECT_EQ(codeOf([&] { repository_.removeInstance(ns_, differentCase); }), 6);
}

TEST(InstanceGeneratorTest, MixedClassesHaveTheAskedSizeAndDistinctInstances)
{
    Repository repository;
    repository.addNamespace("root/bench");
    InstanceGenerator::addMixedClass(repository, "root/bench", "Bench_Wide", 20, 500);
    CimClass wide = *repository.resolvedClass("root/bench", "Bench_Wide");
    ASSERT_EQ(wide.properties.size(), 20u);
    EXPECT_TRUE(wide.isKey(wide.properties[0]));
    std::set<CimType> types;
    for (const Property& each : wide.properties)
        types.insert(each.value.type);
    EXPECT_GE(types.size(), 6u);
    std::vector<InstanceRef> instances = repository.instances("root/bench", "Bench_Wide");
    ASSERT_EQ(instances.size(), 500u);
    EXPECT_EQ(instances[499]->path.toString(), "Bench_Wide.Id=\"Bench_Wide:499\"");
    for (const Property& each : instances[7]->instance.properties)
        EXPECT_FALSE(each.value.isNull) << each.name;
}

}  // namespace
}  // namespace testcimom
