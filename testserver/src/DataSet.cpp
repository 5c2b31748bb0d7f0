#include "testcimom/DataSet.h"

#include "CimXmlReader.h"
#include "MethodTestProvider.h"
#include "XmlDocument.h"
#include "testcimom/InstanceGenerator.h"

#include <cstdio>
#include <stdexcept>

#ifndef TESTCIMOM_DATA_DIR
#error "TESTCIMOM_DATA_DIR must name the directory of the data files"
#endif

namespace testcimom {

namespace {

const char* const kCimv2 = "root/cimv2";
const char* const kTest = "root/test";
const char* const kSampleProvider = "root/SampleProvider";

std::string nodeSuffix(int nodeNumber)
{
    return "@node" + std::to_string(nodeNumber);
}

void markPath(ObjectPath& path, int nodeNumber)
{
    for (KeyBinding& key : path.keys) {
        if (key.reference)
            markPath(*key.reference, nodeNumber);
        else if (sameName(key.name, "InstanceID"))
            key.value += nodeSuffix(nodeNumber);
    }
}

// Gives every node of a multi-node system instance IDs of its own, so tests
// can tell which node an instance came from.
void markForNode(Instance& instance, int nodeNumber)
{
    for (Property& property : instance.properties) {
        if (property.value.isNull)
            continue;
        for (ObjectPath& path : property.value.references)
            markPath(path, nodeNumber);
        if (sameName(property.name, "InstanceID") && !property.value.isArray && !property.value.items.empty())
            property.value.items.front() += nodeSuffix(nodeNumber);
    }
}

void loadGroup(Repository& repository, const std::string& nameSpace, const xmlNode* group, int nodeNumber)
{
    std::string target = nameSpace;
    if (xmlNode* path = firstChild(group, "LOCALNAMESPACEPATH"))
        target = CimXmlReader::readNamespace(path);
    repository.addNamespace(target);
    for (xmlNode* decl : childElements(group, "QUALIFIER.DECLARATION"))
        repository.setQualifierDecl(target, CimXmlReader::readQualifierDecl(decl));
    std::vector<Instance> instances;
    for (xmlNode* object : childElements(group, "VALUE.OBJECT")) {
        if (xmlNode* cimClass = firstChild(object, "CLASS")) {
            repository.addClass(target, CimXmlReader::readClass(cimClass));
            continue;
        }
        Instance instance = CimXmlReader::readInstance(requiredChild(object, "INSTANCE"));
        if (nodeNumber > 0)
            markForNode(instance, nodeNumber);
        instances.push_back(std::move(instance));
    }
    repository.addInstances(target, std::move(instances));
}

std::string version(const std::string& text, int part)
{
    int numbers[3] = {0, 0, 0};
    std::sscanf(text.c_str(), "%d.%d.%d", &numbers[0], &numbers[1], &numbers[2]);
    return std::to_string(numbers[part]);
}

Instance esxiIdentity(const std::string& versionString)
{
    Instance instance;
    instance.className = "VMware_HypervisorSoftwareIdentity";
    instance.set("InstanceID", Value::text("VMware:HypervisorSoftwareIdentity:vorn-demo01"));
    instance.set("Name", Value::text("VMware ESXi"));
    instance.set("Caption", Value::text("VMware ESXi " + versionString));
    instance.set("ElementName", Value::text("VMware ESXi"));
    instance.set("VersionString", Value::text(versionString));
    instance.set("MajorVersion", Value::scalar(CimType::Uint16, version(versionString, 0)));
    instance.set("MinorVersion", Value::scalar(CimType::Uint16, version(versionString, 1)));
    instance.set("RevisionNumber", Value::scalar(CimType::Uint16, version(versionString, 2)));
    instance.set("Manufacturer", Value::text("VMware, Inc."));
    instance.set("Classifications", Value::array(CimType::Uint16, {"3", "4"}));
    instance.set("IsEntity", Value::boolean(true));
    instance.set("ProductLineID", Value::text("embeddedEsx"));
    return instance;
}

// The text of a scalar string parameter; "" when it is missing or null.
std::string textParameter(const MethodCall& call, const std::string& name)
{
    const Value* value = call.parameter(name);
    return value && !value->isNull && !value->isArray && !value->items.empty() ? value->items.front() : "";
}

MethodResult sayHello(const MethodCall& call)
{
    std::string who = textParameter(call, "Name");
    return {Value::text("Hello, " + who + "!"), {{"Place", Value::text("From Neverland")}}};
}

MethodResult ping(const MethodCall& call)
{
    bool reachable = !textParameter(call, "Target").empty();
    return {Value::scalar(CimType::Uint32, reachable ? "0" : "1"),
            {{"RoundTripTime", Value::scalar(CimType::Uint32, reachable ? "1" : "0")}}};
}

class Loader {
public:
    Loader(Repository& repository, const DataSetOptions& options)
        : repository_(repository), options_(options),
          directory_(options.dataDirectory.empty() ? DataSet::defaultDataDirectory() : options.dataDirectory)
    {
    }

    void files(const std::string& nameSpace, std::initializer_list<const char*> names) const
    {
        for (const char* name : names)
            DataSet::loadFile(repository_, nameSpace, directory_ + "/" + name, options_.nodeNumber);
    }

private:
    Repository& repository_;
    const DataSetOptions& options_;
    std::string directory_;
};

void loadSampleProvider(const Loader& loader, MethodProviders& methods)
{
    loader.files(kSampleProvider, {"qualifiers.xml", "sample-provider.xml"});
    methods.add(kSampleProvider, "Sample_MethodProviderClass", "SayHello", sayHello);
}

void loadCapture(Repository& repository, const Loader& loader, const DataSetOptions& options)
{
    for (const char* nameSpace : {kCimv2, kTest})
        loader.files(nameSpace, {"qualifiers.xml", "capture-schema.xml", "capture-instances.xml"});
    loader.files(kTest, {"test-classes.xml"});
    InstanceGenerator::addTestBig(repository, kTest, options.testBigInstances);
}

void loadDemo(const Loader& loader, MethodProviders& methods)
{
    loader.files(kCimv2, {"qualifiers.xml", "capture-schema.xml", "demo-schema.xml", "demo-instances.xml",
                          "method-test.xml"});
    methods.add(kCimv2, "VORN_ComputerSystem", "Ping", ping);
    MethodTestProvider::registerIn(methods, kCimv2);
}

}  // namespace

const char* dataSetName(DataSetKind kind)
{
    switch (kind) {
    case DataSetKind::Empty: return "empty";
    case DataSetKind::Capture: return "capture";
    case DataSetKind::Demo: return "demo";
    case DataSetKind::DemoEsxi: return "demo-esxi";
    }
    return "?";
}

std::optional<DataSetKind> parseDataSetName(const std::string& name)
{
    for (DataSetKind kind : {DataSetKind::Empty, DataSetKind::Capture, DataSetKind::Demo, DataSetKind::DemoEsxi}) {
        if (name == dataSetName(kind))
            return kind;
    }
    return std::nullopt;
}

std::string DataSet::defaultDataDirectory()
{
    return TESTCIMOM_DATA_DIR;
}

void DataSet::loadFile(Repository& repository, const std::string& nameSpace, const std::string& path,
                       int nodeNumber)
{
    XmlDocument doc = XmlDocument::parseFile(path);
    try {
        xmlNode* declaration = requiredChild(doc.root(), "DECLARATION");
        for (xmlNode* group : childElements(declaration, "DECLGROUP"))
            loadGroup(repository, nameSpace, group, nodeNumber);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

void DataSet::load(Repository& repository, MethodProviders& methods, const DataSetOptions& options)
{
    Loader loader(repository, options);
    switch (options.kind) {
    case DataSetKind::Empty:
        break;
    case DataSetKind::Capture:
        loadCapture(repository, loader, options);
        loadSampleProvider(loader, methods);
        break;
    case DataSetKind::Demo:
    case DataSetKind::DemoEsxi:
        loadDemo(loader, methods);
        loadSampleProvider(loader, methods);
        if (options.kind == DataSetKind::DemoEsxi)
            repository.addInstance(kCimv2, esxiIdentity(options.esxiVersion));
        break;
    }
    for (const DataFile& file : options.extraFiles)
        DataSet::loadFile(repository, file.nameSpace, file.path, options.nodeNumber);
}

}  // namespace testcimom
