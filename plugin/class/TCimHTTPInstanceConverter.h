#ifndef CIMHTTP_CLASS_TCIMHTTPINSTANCECONVERTER_H
#define CIMHTTP_CLASS_TCIMHTTPINSTANCECONVERTER_H

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMProperty.h>
#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/String.h>

#include <qel/ICIMClass.h>
#include <qel/TCIMValue.h>

#include "convert/TStreamText.h"

namespace NVORNQEL20 {

class TCimHTTPClass;
class TCimHTTPInstance;
class TCimHTTPNamespace;

// Turns the instances one enumeration of a class reads from the servers of
// its namespace into host instances: property values converted (nulls too
// in the namespaces of root/cimv2), references with the class they point
// to, "InstanceID" values made unique across the nodes, the node in
// "NodeID", and the rules of the classes OMC_ProcessorSlot and
// VORN_StandardMessageLogEntry. A property that fails costs only itself.
// Lives for one enumeration: it remembers the referenced classes it found
// and what each property name means, and reads texts through one stream.
class TCimHTTPInstanceConverter {
public:
    // The node an instance came from: its place in the node list and its key.
    struct TNode {
        std::size_t fIndex;
        std::string fKey;
    };

    TCimHTTPInstanceConverter(TCimHTTPClass& cls, TCimHTTPNamespace& nameSpace, bool multiNode);

    // The host instance, not yet filed; empty when the class's rules drop it.
    boost::shared_ptr<TCimHTTPInstance> Convert(const Pegasus::CIMConstInstance& source, const TNode& node);

    // The class name the text of an instance path gives a reference
    // property: after the first occurrence of the property's name (from its
    // second character), after the next ":", up to the next "."; nothing when
    // one of the three is missing.
    static std::optional<std::string> ReferencedClassNameInPath(const std::string& pathText,
                                                                const std::string& propertyName);

private:
    // What a property's name means here, worked out once per name and
    // enumeration: instances of a class carry the same names in the same order.
    struct TPropertyName {
        Pegasus::String fSent;  // as the server spelled it
        std::string fName;
        bool fIsIdentity;
        bool fIsSlotNumber;
    };

    const TPropertyName& NameAt(Pegasus::Uint32 index, const Pegasus::String& sent);
    void ConvertProperty(Pegasus::Uint32 index, const Pegasus::CIMConstInstance& source, const TNode& node,
                         TCimHTTPInstance& target);
    TCIMValue HostValue(const std::string& name, const Pegasus::CIMValue& value);
    void AttachReferencedClass(TCIMValue& value, const std::string& name, const Pegasus::CIMConstInstance& source,
                               const Pegasus::CIMValue& sent);
    boost::shared_ptr<ICIMClass> FindClass(const std::string& name);
    void MakeIdentityUnique(TCIMValue& value, const TNode& node) const;
    void Store(TCimHTTPInstance& target, const TPropertyName& name, const TCIMValue& value) const;
    void SetNodeID(TCimHTTPInstance& target, const TNode& node) const;
    std::string NodeIdentity(const TNode& node) const;
    bool IsDropped(const Pegasus::CIMConstInstance& source, TCimHTTPInstance& target, const TNode& node) const;

    TCimHTTPClass& fClass;
    boost::shared_ptr<ICIMClass> fHostClass;
    TCimHTTPNamespace& fNamespace;
    bool fMultiNode;
    bool fConvertsNulls;
    // The node of a controller namespace ("tarn" followed by the node digit).
    std::optional<std::string> fTarnNode;
    bool fIsProcessorSlot;
    bool fIsMessageLogEntry;
    std::map<std::string, boost::shared_ptr<ICIMClass>> fReferencedClasses;
    // By the property's place in the instance.
    std::vector<TPropertyName> fNames;
    TStreamText fText;
};

}  // namespace NVORNQEL20

#endif
