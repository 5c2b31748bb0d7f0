// The objects decoded from the captured responses, checked against the MOF
// data the server was loaded with (mof/instances.mof, mof/schema.mof).

#include "ClientFixture.h"
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

namespace
{
const CIMNamespaceName CIMV2("root/cimv2");

CIMClient& clientFor(std::unique_ptr<ReplayClient>& replay, const std::string& capture)
{
    replay = std::make_unique<ReplayClient>(ReplayClient::captured({capture}));
    return replay->client;
}

CIMValue valueOf(const CIMInstance& instance, const char* property)
{
    const Uint32 index = instance.findProperty(CIMName(property));
    EXPECT_NE(PEG_NOT_FOUND, index) << property;
    return index == PEG_NOT_FOUND ? CIMValue() : instance.getProperty(index).getValue();
}

template <class T>
T scalar(const CIMInstance& instance, const char* property)
{
    T x{};
    valueOf(instance, property).get(x);
    return x;
}

template <class T>
Array<T> array(const CIMInstance& instance, const char* property)
{
    Array<T> x;
    valueOf(instance, property).get(x);
    return x;
}

CIMConstQualifier qualifierOf(const CIMConstProperty& property, const char* name)
{
    return property.getQualifier(property.findQualifier(CIMName(name)));
}
}

TEST(CapturedData, ComputerSystemsCarryStringsDatetimesArraysAndNullsAsInTheMof)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMInstance> hosts = clientFor(replay, "EnumerateInstances-ComputerSystem")
                                         .enumerateInstances(CIMV2, CIMName("CIM_ComputerSystem"), true, false);
    ASSERT_EQ(2u, hosts.size());
    const CIMInstance& host1 = hosts[0];
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\"",
              host1.getPath().toString());
    EXPECT_EQ("Primary test host <virtual> & \"quoted\" 'single'", scalar<String>(host1, "Description"));
    const CIMDateTime installed = scalar<CIMDateTime>(host1, "InstallDate");
    EXPECT_EQ("20230615123045.123456+060", installed.toString());
    EXPECT_FALSE(installed.isInterval());
    const CIMDateTime upTime = scalar<CIMDateTime>(host1, "UpTime");
    EXPECT_EQ("00000012131415.000000:000", upTime.toString());
    EXPECT_TRUE(upTime.isInterval());
    EXPECT_EQ(Uint64(68719476736ULL), scalar<Uint64>(host1, "TotalMemory"));
    EXPECT_EQ(Uint16(5), scalar<Uint16>(host1, "HealthState"));
    const Array<String> roles = array<String>(host1, "Roles");
    ASSERT_EQ(2u, roles.size());
    EXPECT_EQ("Hypervisor", roles[0]);
    EXPECT_EQ("Management", roles[1]);
    EXPECT_EQ(1u, array<Uint16>(host1, "OperationalStatus").size());

    const CIMConstProperty instanceId = host1.getProperty(host1.findProperty(CIMName("InstanceID")));
    EXPECT_TRUE(instanceId.getValue().isNull());
    EXPECT_EQ(CIMTYPE_STRING, instanceId.getType());
    EXPECT_TRUE(instanceId.getPropagated());

    const CIMInstance& host2 = hosts[1];
    EXPECT_EQ("esx02 \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC", scalar<String>(host2, "ElementName"));
    const CIMValue roles2 = valueOf(host2, "Roles");
    EXPECT_TRUE(roles2.isNull());
    EXPECT_TRUE(roles2.isArray());
    EXPECT_EQ(Uint64(0), scalar<Uint64>(host2, "TotalMemory"));
    const Array<Uint16> status = array<Uint16>(host2, "OperationalStatus");
    ASSERT_EQ(2u, status.size());
    EXPECT_EQ(3, status[0]);
    EXPECT_EQ(6, status[1]);
}

TEST(CapturedData, ProcessorsCarryRealsAndExtremeIntegers)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMInstance> cpus = clientFor(replay, "EnumerateInstances-Processor")
                                        .enumerateInstances(CIMV2, CIMName("CIM_Processor"), true, false);
    ASSERT_EQ(2u, cpus.size());
    EXPECT_EQ(Real32(41.5), scalar<Real32>(cpus[0], "Temperature"));
    EXPECT_EQ(Real32(-0.25), scalar<Real32>(cpus[1], "Temperature"));
    EXPECT_EQ("4.1500000000000000e+01", valueOf(cpus[0], "Temperature").toString());
    EXPECT_EQ(Uint64(18446744073709551615ULL), scalar<Uint64>(cpus[0], "PowerOnHours"));
    EXPECT_EQ(Uint16(179), scalar<Uint16>(cpus[0], "Family"));
    EXPECT_EQ(Uint32(2700), scalar<Uint32>(cpus[0], "CurrentClockSpeed"));
    EXPECT_EQ("7", scalar<String>(cpus[0], "Stepping"));
}

TEST(CapturedData, LogEntriesCarrySignedValuesTimeZonesAndEscapedText)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMInstance> entries = clientFor(replay, "EnumerateInstances-VORN")
                                           .enumerateInstances(CIMV2, CIMName("VORN_StandardMessageLogEntry"), true, false);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("Power supply 1 <PSU1> restored & OK", scalar<String>(entries[0], "Message"));
    EXPECT_TRUE(scalar<Boolean>(entries[0], "IsLocalEvent"));
    EXPECT_FALSE(scalar<Boolean>(entries[1], "IsLocalEvent"));
    EXPECT_EQ(Uint64(9223372036854775807ULL), scalar<Uint64>(entries[1], "SequenceNumber"));
    EXPECT_EQ(Sint16(-300), scalar<Sint16>(entries[1], "UtcOffsetMinutes"));
    EXPECT_EQ(Sint16(60), scalar<Sint16>(entries[0], "UtcOffsetMinutes"));
    EXPECT_EQ("20240315091733.250000-300", scalar<CIMDateTime>(entries[1], "CreationTimeStamp").toString());
    EXPECT_EQ("VORN:Log:1:0000000002", scalar<String>(entries[1], "InstanceID"));
}

TEST(CapturedData, AssociationsCarryReferencesAsPropertiesAndKeys)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMInstance> links = clientFor(replay, "EnumerateInstances-Association")
                                         .enumerateInstances(CIMV2, CIMName("CIM_SystemDevice"), true, false);
    ASSERT_EQ(2u, links.size());
    const CIMConstProperty group = links[0].getProperty(links[0].findProperty(CIMName("GroupComponent")));
    EXPECT_EQ(CIMTYPE_REFERENCE, group.getType());
    EXPECT_EQ(CIMName("CIM_System"), group.getReferenceClassName());
    CIMObjectPath host;
    group.getValue().get(host);
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\"",
              host.toString());

    const Array<CIMKeyBinding>& keys = links[1].getPath().getKeyBindings();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(CIMKeyBinding::REFERENCE, keys[1].getType());
    const CIMObjectPath part(keys[1].getValue());
    EXPECT_EQ(CIMName("CIM_Processor"), part.getClassName());
    EXPECT_EQ(4u, part.getKeyBindings().size());
    EXPECT_EQ("CPU1", part.getKeyBindings()[1].getValue());
    EXPECT_EQ(links[1].getPath(), CIMObjectPath(links[1].getPath().toString()));
}

TEST(CapturedData, AssociatorsCarryFullInstancePaths)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMObject> objects =
        clientFor(replay, "Associators-Host1")
            .associators(CIMV2, CIMObjectPath("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\""));
    ASSERT_FALSE(objects.size() == 0);
    EXPECT_TRUE(objects[0].isInstance());
    const CIMObjectPath& path = objects[0].getPath();
    EXPECT_EQ("vm", path.getHost());
    EXPECT_EQ(CIMV2, path.getNameSpace());
    EXPECT_EQ(0u, path.toString().find("//vm/root/cimv2:CIM_Processor.CreationClassName=\"CIM_Processor\""));

    const Array<CIMObjectPath> names =
        clientFor(replay, "ReferenceNames-Host1").referenceNames(CIMV2, CIMObjectPath("CIM_ComputerSystem.Name=\"x\""));
    ASSERT_FALSE(names.size() == 0);
    EXPECT_EQ("vm", names[0].getHost());
    EXPECT_EQ(CIMKeyBinding::REFERENCE, names[0].getKeyBindings()[0].getType());
}

TEST(CapturedData, ClassesCarryQualifiersFlavorsOriginsMethodsAndParameters)
{
    std::unique_ptr<ReplayClient> replay;
    const CIMClass system = clientFor(replay, "GetClass-WithMethods").getClass(CIMV2, CIMName("CIM_ComputerSystem"), false);
    EXPECT_EQ(CIMName("CIM_System"), system.getSuperClassName());
    EXPECT_FALSE(system.isAssociation());
    EXPECT_FALSE(system.isAbstract());
    const CIMConstQualifier version = system.getQualifier(system.findQualifier(CIMName("Version")));
    EXPECT_EQ("OVERRIDABLE TRANSLATABLE", version.getFlavor().toString());
    EXPECT_EQ("2.16.0", version.getValue().toString());

    const CIMConstProperty name = system.getProperty(system.findProperty(CIMName("Name")));
    EXPECT_EQ("TOSUBCLASS", qualifierOf(name, "Key").getFlavor().toString());
    EXPECT_EQ("OVERRIDABLE TOSUBCLASS TRANSLATABLE", qualifierOf(name, "Description").getFlavor().toString());
    EXPECT_TRUE(name.getClassOrigin().isNull());
    const CIMConstProperty values = system.getProperty(system.findProperty(CIMName("Dedicated")));
    const CIMConstQualifier valueMap = qualifierOf(values, "ValueMap");
    EXPECT_TRUE(valueMap.isArray());
    EXPECT_EQ(CIMTYPE_STRING, valueMap.getType());

    ASSERT_EQ(2u, system.getMethodCount());
    const CIMConstMethod change = system.getMethod(system.findMethod(CIMName("RequestStateChange")));
    EXPECT_EQ(CIMTYPE_UINT32, change.getType());
    EXPECT_TRUE(change.getPropagated());
    ASSERT_EQ(3u, change.getParameterCount());
    EXPECT_EQ(CIMTYPE_DATETIME, change.getParameter(2).getType());
    EXPECT_NE(PEG_NOT_FOUND, change.getParameter(0).findQualifier(CIMName("In")));
    const CIMConstMethod setName = system.getMethod(system.findMethod(CIMName("SetHostName")));
    const CIMConstParameter aliases = setName.getParameter(setName.findParameter(CIMName("Aliases")));
    EXPECT_TRUE(aliases.isArray());
    EXPECT_EQ(CIMTYPE_STRING, aliases.getType());

    const CIMClass device =
        clientFor(replay, "GetClass-CIM_SystemDevice-LocalOnlyFalse").getClass(CIMV2, CIMName("CIM_SystemDevice"), false);
    EXPECT_TRUE(device.isAssociation());
    const CIMConstProperty part = device.getProperty(device.findProperty(CIMName("PartComponent")));
    EXPECT_EQ(CIMTYPE_REFERENCE, part.getType());
    EXPECT_EQ(CIMName("CIM_LogicalDevice"), part.getReferenceClassName());

    const CIMClass slot = clientFor(replay, "GetClass-IncludeClassOrigin")
                              .getClass(CIMV2, CIMName("OMC_ProcessorSlot"), false, false, true);
    const CIMConstProperty caption = slot.getProperty(slot.findProperty(CIMName("Caption")));
    EXPECT_EQ(CIMName("CIM_ManagedElement"), caption.getClassOrigin());
    EXPECT_TRUE(caption.getPropagated());

    const CIMClass managed = clientFor(replay, "GetClass-CIM_ManagedElement-LocalOnlyTrue")
                                 .getClass(CIMV2, CIMName("CIM_ManagedElement"), true, true, false);
    EXPECT_TRUE(managed.isAbstract());
    EXPECT_TRUE(managed.getSuperClassName().isNull());
}

TEST(CapturedData, NamesMethodResultsAndErrorsDecode)
{
    std::unique_ptr<ReplayClient> replay;
    const Array<CIMName> top = clientFor(replay, "EnumerateClassNames-top-shallow").enumerateClassNames(CIMV2);
    ASSERT_EQ(3u, top.size());
    EXPECT_EQ("CIM_Dependency", top[0].getString());
    EXPECT_EQ("CIM_Component", top[2].getString());

    Array<CIMParamValue> out;
    Array<CIMParamValue> in;
    in.append(CIMParamValue("Name", CIMValue(String("World"))));
    const CIMValue hello = clientFor(replay, "InvokeMethod-SayHello")
                               .invokeMethod(CIMNamespaceName("root/SampleProvider"),
                                             CIMObjectPath("Sample_MethodProviderClass"), CIMName("SayHello"), in, out);
    EXPECT_EQ("Hello, World!", hello.toString());
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ("Place", out[0].getParameterName());
    EXPECT_EQ("From Neverland", out[0].getValue().toString());

    const auto notFound = caught<CIMException>([&] {
        clientFor(replay, "GetInstance-ErrNotFound")
            .getInstance(CIMV2, CIMObjectPath("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"nosuchhost\""));
    });
    ASSERT_TRUE(notFound);
    EXPECT_EQ(CIM_ERR_NOT_FOUND, notFound->getCode());
    EXPECT_EQ("CIM_ERR_NOT_FOUND", notFound->getCodeText());
    EXPECT_EQ("CIM_ERR_NOT_FOUND: CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"nosuchhost\"",
              notFound->getMessage());
    const auto invalidClass = caught<CIMException>([&] {
        clientFor(replay, "EnumerateInstances-ErrInvalidClass-chunked").enumerateInstances(CIMV2, CIMName("OMC_NoSuchClass"));
    });
    ASSERT_TRUE(invalidClass);
    EXPECT_EQ(CIM_ERR_INVALID_CLASS, invalidClass->getCode());
    EXPECT_EQ("CIM_ERR_INVALID_CLASS: OMC_NoSuchClass", invalidClass->getMessage());
}

TEST(CapturedData, TruncatedBigEnumerationFailsNamingTheCut)
{
    std::unique_ptr<ReplayClient> replay = std::make_unique<ReplayClient>(std::vector<ReplayStep>{
        ReplayStep::answer(Captures::response("EnumerateInstances-Test_Big-first"), ReplayStep::Action::AnswerAndClose)});
    const auto cut = caught<CIMClientMalformedHTTPException>(
        [&] { replay->client.enumerateInstances(CIMNamespaceName("root/test"), CIMName("Test_Big")); });
    ASSERT_TRUE(cut);
    EXPECT_NE(std::string::npos, cut->getMessage().str().find("ends after")) << cut->getMessage();
}
