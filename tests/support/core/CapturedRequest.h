#ifndef TestSupport_CapturedRequest_h
#define TestSupport_CapturedRequest_h

#include <Pegasus/Client/CIMClient.h>
#include <libxml/tree.h>
#include <memory>
#include <string>

// A CIM-XML request read back with libxml2: the operation it asks for, as
// a call on CIMClient, and a canonical text of its meaning for comparing
// two requests (parameters at their DSP0200 defaults filled in, the message
// ID, white space and KEYVALUE's TYPE left out).
class CapturedRequest
{
public:
    explicit CapturedRequest(const std::string& httpMessage);

    std::string canonical() const;
    // Issues the same operation on the client; returns the canonical text
    // of what it returned (ResultText).
    std::string replay(Pegasus::CIMClient& client) const;

private:
    xmlNode* call() const;
    xmlNode* parameter(const char* name) const;
    Pegasus::CIMName className(const char* parameter) const;
    std::string text(const char* parameter) const;
    bool flag(const char* parameter) const;
    Pegasus::CIMPropertyList propertyList() const;
    Pegasus::CIMObjectPath objectName(const char* parameter) const;
    std::string invokeMethod(Pegasus::CIMClient& client) const;

    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> _document;
    Pegasus::CIMNamespaceName _nameSpace;
};

#endif
