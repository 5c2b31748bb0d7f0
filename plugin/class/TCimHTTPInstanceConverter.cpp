#include "class/TCimHTTPInstanceConverter.h"

#include <boost/pointer_cast.hpp>

#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/Exception.h>

#include <qel/ICIMProperty.h>
#include <qel/TCIMName.h>
#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"
#include "client/Debug.h"
#include "convert/ValueConversion.h"
#include "instance/TCimHTTPInstance.h"
#include "namespace/TCimHTTPNamespace.h"

namespace NVORNQEL20 {

namespace {

const TCIMContext kNoContext;

// Null values are converted (to 0, false, "") in these namespaces only.
const char* const kConvertingNullsNamespace = "root/cimv2";
// The namespaces of the management controller: "tarn" and the node digit.
const char* const kTarnNamespace = "tarn";
const char* const kIdentityProperty = "InstanceID";

const char* const kProcessorSlotClass = "OMC_ProcessorSlot";
const char* const kSlotNumberProperty = "Number";
const char* const kMessageLogEntryClass = "VORN_StandardMessageLogEntry";
const char* const kLocalEventProperty = "IsLocalEvent";

// The controller numbers its nodes from 0, the namespace name from 1: the
// character after "tarn", with 0 to 3 moved up by one.
std::optional<std::string> TarnNodeOf(const std::string& namespaceName)
{
    std::size_t at = namespaceName.find(kTarnNamespace);
    if (at == std::string::npos)
        return std::nullopt;
    at += std::char_traits<char>::length(kTarnNamespace);
    if (at >= namespaceName.size())
        return std::string();
    const char digit = namespaceName[at];
    return std::string(1, digit >= '0' && digit <= '3' ? static_cast<char>(digit + 1) : digit);
}

std::string Text(const Pegasus::String& text)
{
    return std::string(text.getCString());
}

// The class the reference value itself names; "" for a null value.
std::string ClassNameOf(const Pegasus::CIMValue& reference)
{
    if (reference.isNull())
        return std::string();
    Pegasus::CIMObjectPath path;
    reference.get(path);
    return Text(path.getClassName().getString());
}

void ReportLostProperty(const std::string& name)
{
    Trace("4TCimHTTPClass::EnumerateInstances - Unable to retrieve property: " + name);
}

}  // namespace

TCimHTTPInstanceConverter::TCimHTTPInstanceConverter(TCimHTTPClass& cls, TCimHTTPNamespace& nameSpace, bool multiNode)
    : fClass(cls),
      fHostClass(cls.shared_from_this()),
      fNamespace(nameSpace),
      fMultiNode(multiNode),
      fConvertsNulls(nameSpace.getfCimHTTPNamespaceName().find(kConvertingNullsNamespace) != std::string::npos),
      fTarnNode(TarnNodeOf(nameSpace.getfCimHTTPNamespaceName())),
      fIsProcessorSlot(TCIMName::EqualNoCase(cls.GetName(kNoContext), kProcessorSlotClass)),
      fIsMessageLogEntry(TCIMName::EqualNoCase(cls.GetName(kNoContext), kMessageLogEntryClass))
{
}

boost::shared_ptr<TCimHTTPInstance> TCimHTTPInstanceConverter::Convert(const Pegasus::CIMConstInstance& source,
                                                                       const TNode& node)
{
    boost::shared_ptr<TCimHTTPInstance> target =
        boost::static_pointer_cast<TCimHTTPInstance>(fClass.AllocateInstance(kNoContext));
    for (Pegasus::Uint32 i = 0; i < source.getPropertyCount(); ++i)
        ConvertProperty(i, source, node, *target);
    SetNodeID(*target, node);
    return IsDropped(source, *target, node) ? boost::shared_ptr<TCimHTTPInstance>() : target;
}

// A name that is no CIM name throws, and is worked out again each time.
const TCimHTTPInstanceConverter::TPropertyName& TCimHTTPInstanceConverter::NameAt(Pegasus::Uint32 index,
                                                                                 const Pegasus::String& sent)
{
    if (index < fNames.size() && fNames[index].fSent == sent)
        return fNames[index];
    const std::string name = Text(sent);
    TCimHTTPNamespace::NormalizeName(name);  // throws for a name that is no CIM name
    TPropertyName known{sent, name, name.find(kIdentityProperty) != std::string::npos,
                        fIsProcessorSlot && TCIMName::EqualNoCase(name, kSlotNumberProperty)};
    if (index >= fNames.size())
        fNames.resize(index + 1);
    fNames[index] = std::move(known);
    return fNames[index];
}

// What the server sends wrongly (a name that is no CIM name, a value that
// does not fit its declaration) costs that property only.
void TCimHTTPInstanceConverter::ConvertProperty(Pegasus::Uint32 index, const Pegasus::CIMConstInstance& source,
                                                const TNode& node, TCimHTTPInstance& target)
{
    const Pegasus::CIMConstProperty property = source.getProperty(index);
    try {
        const TPropertyName& name = NameAt(index, property.getName().getString());
        const Pegasus::CIMValue& sent = property.getValue();
        TCIMValue value = HostValue(name.fName, sent);
        if (value.IsReference())
            AttachReferencedClass(value, name.fName, source, sent);
        if (name.fIsIdentity)
            MakeIdentityUnique(value, node);
        Store(target, name, value);
    } catch (const TQELException&) {
        ReportLostProperty(Text(property.getName().getString()));
    } catch (const Pegasus::Exception&) {
        ReportLostProperty(Text(property.getName().getString()));
    }
}

TCIMValue TCimHTTPInstanceConverter::HostValue(const std::string& name, const Pegasus::CIMValue& value)
{
    TCIMValue converted;
    if (!value.isNull() || fConvertsNulls)
        pegValToQEL(name, value, value.getType(), value.isArray(), converted, fHostClass, fText);
    return converted;
}

// The text rule finds the class in the instance path, where a reference key
// names its target with its namespace ("root/cimv2:CIM_Foo.Id=1"). A key
// value with a colon of its own ("VMware:HypervisorSoftwareIdentity:esx01")
// makes it yield text that is no class name; the reference's own class
// name serves then. A class that cannot be found attaches nothing.
void TCimHTTPInstanceConverter::AttachReferencedClass(TCIMValue& value, const std::string& name,
                                                      const Pegasus::CIMConstInstance& source,
                                                      const Pegasus::CIMValue& sent)
{
    std::optional<std::string> className =
        ReferencedClassNameInPath(Text(source.getPath().toString()), name);
    if (!className)
        return;
    if (!TCIMName::IsValid(*className))
        className = ClassNameOf(sent);
    if (className->empty() || !TCIMName::IsValid(*className))
        return;
    if (boost::shared_ptr<ICIMClass> referenced = FindClass(*className))
        value.SetReferencedClass(referenced);
}

std::optional<std::string> TCimHTTPInstanceConverter::ReferencedClassNameInPath(const std::string& pathText,
                                                                                const std::string& propertyName)
{
    const std::size_t property = pathText.find(propertyName);
    if (property == std::string::npos)
        return std::nullopt;
    const std::size_t colon = pathText.find(':', property + 1);
    if (colon == std::string::npos)
        return std::nullopt;
    const std::size_t dot = pathText.find('.', colon + 1);
    if (dot == std::string::npos)
        return std::nullopt;
    return pathText.substr(colon + 1, dot - colon - 1);
}

// Each class is looked up once per enumeration, so a class the server does
// not have costs one request, not one per instance.
boost::shared_ptr<ICIMClass> TCimHTTPInstanceConverter::FindClass(const std::string& name)
{
    const std::string key = TCIMName::LowerCase(name);
    auto known = fReferencedClasses.find(key);
    if (known != fReferencedClasses.end())
        return known->second;
    boost::shared_ptr<ICIMClass> found;
    try {
        found = fNamespace.GetClass(name, kNoContext);
    } catch (const TQELException&) {
    } catch (const Pegasus::Exception&) {
    }
    fReferencedClasses.emplace(key, found);
    return found;
}

// On several nodes every identity carries its node; on one node only an
// empty one gets the node, and a controller namespace names its node.
void TCimHTTPInstanceConverter::MakeIdentityUnique(TCIMValue& value, const TNode& node) const
{
    const std::string text = value.ToString(10);
    if (fMultiNode)
        value.Set("Node" + node.fKey + ":" + text);
    else if (fTarnNode)
        value.Set("Node" + *fTarnNode + ":" + text);
    else if (text.empty())
        value.Set("Node" + node.fKey + ":");
}

// A processor slot's number is a uint16 whatever width the server used.
void TCimHTTPInstanceConverter::Store(TCimHTTPInstance& target, const TPropertyName& name,
                                      const TCIMValue& value) const
{
    // The server's spelling: a name the class declares nowhere (a subclass's
    // property in a deep answer) keeps it in the declaration made for it.
    if (!name.fIsSlotNumber) {
        target.SetPropertyValue(name.fName, value, kNoContext);
        return;
    }
    target.GetProperty(kSlotNumberProperty, kNoContext);
    const TCIMValue number = value.IsNull() ? TCIMValue(TCIMValue::TCIMType::eUint16, 0)
                                            : TCIMValue(static_cast<unsigned short>(value));
    target.SetPropertyValue(name.fName, number, kNoContext);
}

void TCimHTTPInstanceConverter::SetNodeID(TCimHTTPInstance& target, const TNode& node) const
{
    try {
        target.SetPropertyValue("nodeid", TCIMValue(NodeIdentity(node)), kNoContext);
    } catch (const TQELException&) {
        ReportLostProperty(TCimHTTPClass::kNodeIdProperty);
    }
}

std::string TCimHTTPInstanceConverter::NodeIdentity(const TNode& node) const
{
    return fTarnNode ? *fTarnNode : node.fKey;
}

// On the first node, a log entry that is not a local event is left to the
// node it happened on. Whether the server sent a null counts, not what a
// null became here: a null keeps the entry.
bool TCimHTTPInstanceConverter::IsDropped(const Pegasus::CIMConstInstance& source, TCimHTTPInstance& target,
                                          const TNode& node) const
{
    if (!fIsMessageLogEntry || node.fIndex != 0)
        return false;
    const Pegasus::Uint32 at = source.findProperty(Pegasus::CIMName(kLocalEventProperty));
    if (at == Pegasus::PEG_NOT_FOUND || source.getProperty(at).getValue().isNull())
        return false;
    try {
        return !static_cast<bool>(target.GetProperty(kLocalEventProperty, kNoContext)->GetValue(kNoContext));
    } catch (const TQELException&) {
        // A value that did not convert says nothing about where the event happened.
        return false;
    }
}

}  // namespace NVORNQEL20
