#ifndef Pegasus_ResponseBuilder_h
#define Pegasus_ResponseBuilder_h

#include "CimXmlElement.h"
#include "DecodedResponse.h"
#include "ElementFrame.h"
#include "XmlAttributes.h"
#include <cstddef>
#include <string>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// Builds the objects of a CIM-XML response (DMTF DSP0201) from its
// elements as a parser reports them: where each element may appear is
// checked, and objects are handed up to the element around them as they
// close. Every member throws DecodeError for content that is not a valid
// response.
class ResponseBuilder
{
public:
    ResponseBuilder();

    void start(CimXmlElement element, const XmlAttributes& attributes);
    void end();
    // Most text is the line break between two elements: it goes nowhere.
    void text(const char* text, size_t size)
    {
        if (_textSink)
            _textSink->append(text, size);
        else
            refuseUnlessWhiteSpace(text, size);
    }

    bool sawMessage() const { return _sawMessage; }
    // The innermost open element; Document before the root.
    CimXmlElement openElement() const { return _frames[_depth].element; }

    DecodedResponse response;

private:
    static void refuseUnlessWhiteSpace(const char* text, size_t size);
    ElementFrame& top() { return _frames[_depth]; }
    ElementFrame& parent() { return _frames[_depth - 1]; }

    void startActions(ElementFrame& f, const XmlAttributes& a);
    void startValue();
    void startError(const XmlAttributes& a);
    void startKeyValue(ElementFrame& f, const XmlAttributes& a);
    void startQualifier(ElementFrame& f, const XmlAttributes& a);
    void startProperty(ElementFrame& f, const XmlAttributes& a);
    void startMethod(ElementFrame& f, const XmlAttributes& a);
    void startParameter(ElementFrame& f, const XmlAttributes& a);

    void endActions(ElementFrame& f);
    void endValueNull();
    void endValueReference(ElementFrame& f);
    void endClassName(ElementFrame& f);
    void endKeyValue(ElementFrame& f);
    void endKeyBinding(ElementFrame& f);
    void endInstanceName(ElementFrame& f);
    void endInstance(ElementFrame& f);
    void deliverPath(CIMObjectPath&& path);
    void endQualifier(ElementFrame& f);
    void endProperty(ElementFrame& f);
    void endParameter(ElementFrame& f);
    void deliverObject(ElementFrame& f);
    void endPathAndInstance(ElementFrame& f);
    void endObject(ElementFrame& f);

    std::vector<ElementFrame> _frames;
    size_t _depth = 0;
    // The text of the open element when it is one that holds text.
    std::string* _textSink = nullptr;
    size_t _openReferences = 0;
    bool _sawMessage = false;
};

PEGASUS_NAMESPACE_END

#endif
