#include "ResponseDecoder.h"

#include "CimXmlElement.h"
#include "ValueFromText.h"
#include "ValueText.h"
#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/Exception.h>
#include <libxml/parser.h>
#include <libxml/SAX2.h>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

namespace
{
using E = CimXmlElement;

// Thrown inside the handlers and turned into the decoder's error there;
// never crosses libxml2.
struct DecodeError
{
    std::string message;
};

[[noreturn]] void decodeError(std::string message)
{
    throw DecodeError{std::move(message)};
}

std::string_view viewOf(const xmlChar* text)
{
    return std::string_view(reinterpret_cast<const char*>(text));
}

// The attributes of one start tag, as libxml2's SAX2 hands them over:
// five pointers each (local name, prefix, URI, value, end of value).
class Attributes
{
public:
    Attributes(const xmlChar** attributes, int count) : _attributes(attributes), _count(count) {}

    bool find(const char* name, std::string_view& value) const
    {
        for (int i = 0; i < _count; ++i)
        {
            const xmlChar** a = _attributes + 5 * i;
            if (a[0][0] == name[0] && std::strcmp(reinterpret_cast<const char*>(a[0]), name) == 0)
            {
                value = std::string_view(reinterpret_cast<const char*>(a[3]), static_cast<size_t>(a[4] - a[3]));
                return true;
            }
        }
        return false;
    }

    std::string_view required(const char* name) const
    {
        std::string_view value;
        if (!find(name, value))
            decodeError(std::string("missing attribute ") + name);
        return value;
    }

    bool flag(const char* name, bool defaultValue) const
    {
        std::string_view value;
        if (!find(name, value))
            return defaultValue;
        Boolean x;
        if (!ValueText::parseBoolean(value, x))
            decodeError(std::string("attribute ") + name + " is neither true nor false");
        return x;
    }

    CIMName name(const char* attribute) const { return CIMName(String(std::string(required(attribute)))); }

    CIMName optionalName(const char* attribute) const
    {
        std::string_view value;
        return find(attribute, value) && !value.empty() ? CIMName(String(std::string(value))) : CIMName();
    }

    // The CIM type named by the attribute; false when it is absent or empty.
    bool type(const char* attribute, CIMType& type) const
    {
        std::string_view value;
        if (!find(attribute, value) || value.empty())
            return false;
        if (!cimTypeFromString(std::string(value).c_str(), type))
            decodeError(std::string("unknown type \"") + std::string(value) + "\" in " + attribute);
        return true;
    }

    Uint32 number(const char* attribute) const
    {
        std::string_view value;
        Uint32 x = 0;
        if (find(attribute, value) && !ValueText::parseInteger(value, x))
            decodeError(std::string("attribute ") + attribute + " is not a number");
        return x;
    }

private:
    const xmlChar** _attributes;
    int _count;
};

// One open element and what its children have handed up so far.
struct Frame
{
    E element = E::Document;
    CIMName name;
    CIMType type = CIMTYPE_STRING;
    bool typed = false;
    CIMName classOrigin;
    CIMName referenceClass;
    bool propagated = false;
    CIMFlavor flavor;
    Uint32 arraySize = 0;
    CIMKeyBinding::Type keyType = CIMKeyBinding::STRING;

    std::string text;                    // VALUE, KEYVALUE, HOST; namespace of LOCALNAMESPACEPATH
    bool hasValue = false;               // a VALUE, KEYVALUE or reference arrived
    bool hasArray = false;               // a VALUE.ARRAY or VALUE.REFARRAY arrived
    std::vector<std::string> items;      // VALUE.ARRAY elements
    std::vector<bool> nullItems;
    std::vector<CIMObjectPath> references;
    CIMObjectPath path;
    bool hasPath = false;
    std::vector<CIMQualifier> qualifiers;
    CIMClass cimClass;
    CIMInstance instance;
    CIMMethod method;

    void reset(E e)
    {
        element = e;
        name.clear();
        typed = false;
        classOrigin.clear();
        referenceClass.clear();
        propagated = false;
        flavor = CIMFlavor();
        arraySize = 0;
        text.clear();
        hasValue = hasArray = hasPath = false;
        items.clear();
        nullItems.clear();
        references.clear();
        path.clear();
        qualifiers.clear();
        cimClass = CIMClass();
        instance = CIMInstance();
        method = CIMMethod();
    }

    bool hasObject() const { return !cimClass.isUninitialized() || !instance.isUninitialized(); }
    CIMObject object() const { return cimClass.isUninitialized() ? CIMObject(instance) : CIMObject(cimClass); }
};

// The value a PROPERTY, QUALIFIER, RETURNVALUE or PARAMVALUE received.
CIMValue valueOf(Frame& f)
{
    if (f.type == CIMTYPE_REFERENCE)
    {
        if (f.hasArray)
            return CIMValue(Array<CIMObjectPath>(f.references.data(), static_cast<Uint32>(f.references.size())));
        return f.hasPath ? CIMValue(f.path) : CIMValue(CIMTYPE_REFERENCE, false);
    }
    if (f.hasArray)
        return arrayFromText(f.type, f.items, f.nullItems);
    if (f.hasValue)
        return scalarFromText(f.type, f.text);
    return CIMValue(f.type, false);
}

// Moves what a path element learnt into the element around it; the parts
// the child did not name stay as the enclosing element had them.
void mergePath(CIMObjectPath& into, CIMObjectPath&& from)
{
    CIMObjectPath merged = std::move(from);
    if (merged.getHost().size() == 0)
        merged.setHost(into.getHost());
    if (merged.getNameSpace().isNull())
        merged.setNameSpace(into.getNameSpace());
    if (merged.getClassName().isNull())
        merged.setClassName(into.getClassName());
    if (merged.getKeyBindings().size() == 0)
        merged.setKeyBindings(into.getKeyBindings());
    into = std::move(merged);
}

CIMKeyBinding::Type keyTypeOf(std::string_view valueType)
{
    if (valueType == "string")
        return CIMKeyBinding::STRING;
    if (valueType == "boolean")
        return CIMKeyBinding::BOOLEAN;
    if (valueType == "numeric")
        return CIMKeyBinding::NUMERIC;
    decodeError("unknown VALUETYPE \"" + std::string(valueType) + "\"");
}

// A reference nests inside a key of the path it is part of. The text form
// of such a key escapes the quotes of the one inside it, so each level
// doubles the escapes: the depth has to be bounded.
const size_t MAX_NESTED_REFERENCES = 8;

bool isWhiteSpace(const xmlChar* text, int size)
{
    for (int i = 0; i < size; ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
            return false;
    return true;
}
}

// The SAX2 handlers and the element stack behind ResponseDecoder.
class ResponseParser
{
public:
    ResponseParser()
    {
        xmlSAXHandler sax;
        std::memset(&sax, 0, sizeof sax);
        sax.initialized = XML_SAX2_MAGIC;
        sax.startElementNs = &ResponseParser::startElement;
        sax.endElementNs = &ResponseParser::endElement;
        sax.characters = &ResponseParser::characters;
        sax.cdataBlock = &ResponseParser::characters;
        sax.serror = &ResponseParser::structuredError;
        // Any declaration inside a DOCTYPE could expand, fetch or default
        // content: each one ends decoding.
        sax.entityDecl = &ResponseParser::entityDeclaration;
        sax.elementDecl = &ResponseParser::elementDeclaration;
        sax.attributeDecl = &ResponseParser::attributeDeclaration;
        sax.notationDecl = &ResponseParser::notationDeclaration;
        sax.unparsedEntityDecl = &ResponseParser::unparsedEntityDeclaration;
        _context = xmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr);
        if (!_context)
            throw CIMClientXmlException(String("cannot create the XML parser"));
        // Character references and the predefined entities are delivered
        // resolved; nothing is loaded from the network or disk.
        xmlCtxtUseOptions(_context, XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOCDATA);
        _frames.resize(16);
    }

    ~ResponseParser()
    {
        // libxml2 files entity declarations in a document of its own
        // making, even when they are refused; the context does not own it.
        if (_context->myDoc)
            xmlFreeDoc(_context->myDoc);
        xmlFreeParserCtxt(_context);
    }

    void feed(const char* data, size_t size)
    {
        while (size > 0 && !failed())
        {
            const int piece = static_cast<int>(std::min<size_t>(size, 1 << 20));
            xmlParseChunk(_context, data, piece, 0);
            data += piece;
            size -= static_cast<size_t>(piece);
        }
    }

    void finish()
    {
        if (!failed())
            xmlParseChunk(_context, nullptr, 0, 1);
        if (!failed() && !_sawMessage)
            _error = "the body holds no CIM-XML response";
        if (failed())
            throw CIMClientXmlException(String("CIM-XML response: " + _error));
    }

    bool failed() const { return !_error.empty(); }

    DecodedResponse response;

private:
    template <class F>
    static void guarded(void* context, F&& f)
    {
        ResponseParser& self = *static_cast<ResponseParser*>(context);
        if (self.failed())
            return;
        try
        {
            f(self);
        }
        catch (const DecodeError& e)
        {
            self.fail(e.message);
        }
        catch (const Exception& e)
        {
            self.fail(e.getMessage().str());
        }
        catch (const std::exception& e)
        {
            self.fail(e.what());
        }
    }

    static void startElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar*, int,
                             const xmlChar**, int attributeCount, int, const xmlChar** attributes)
    {
        guarded(context, [&](ResponseParser& self) { self.onStart(localName, Attributes(attributes, attributeCount)); });
    }

    static void endElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
    {
        guarded(context, [](ResponseParser& self) { self.onEnd(); });
    }

    static void characters(void* context, const xmlChar* text, int size)
    {
        guarded(context, [&](ResponseParser& self) { self.onText(text, size); });
    }

    static void structuredError(void* context, xmlErrorPtr error)
    {
        if (!error || error->level < XML_ERR_ERROR)
            return;
        std::string message = error->message ? error->message : "XML error";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
            message.pop_back();
        guarded(context, [&](ResponseParser& self) { self.fail(message); });
    }

    static void refuseDeclaration(void* context, const xmlChar* name, const char* kind)
    {
        guarded(context, [&](ResponseParser&) {
            decodeError(std::string(kind) + " declaration \"" + std::string(viewOf(name)) + "\" refused");
        });
    }

    static void entityDeclaration(void* c, const xmlChar* n, int, const xmlChar*, const xmlChar*, xmlChar*)
    {
        refuseDeclaration(c, n, "entity");
    }
    static void elementDeclaration(void* c, const xmlChar* n, int, xmlElementContentPtr)
    {
        refuseDeclaration(c, n, "element");
    }
    static void attributeDeclaration(void* c, const xmlChar*, const xmlChar* n, int, int, const xmlChar*, xmlEnumerationPtr tree)
    {
        xmlFreeEnumeration(tree);
        refuseDeclaration(c, n, "attribute");
    }
    static void notationDeclaration(void* c, const xmlChar* n, const xmlChar*, const xmlChar*)
    {
        refuseDeclaration(c, n, "notation");
    }
    static void unparsedEntityDeclaration(void* c, const xmlChar* n, const xmlChar*, const xmlChar*, const xmlChar*)
    {
        refuseDeclaration(c, n, "entity");
    }

    void fail(const std::string& message)
    {
        if (failed())
            return;
        _error = message + " (line " + std::to_string(xmlSAX2GetLineNumber(_context));
        if (_depth > 0)
            _error += std::string(", in <") + cimXmlElementName(top().element) + ">";
        _error += ")";
        xmlStopParser(_context);
    }

    Frame& top() { return _frames[_depth]; }
    Frame& parent() { return _frames[_depth - 1]; }

    E elementOf(const xmlChar* localName)
    {
        const auto known = _elements.find(localName);
        if (known != _elements.end())
            return known->second;
        const E element = cimXmlElementOf(viewOf(localName));
        _elements.emplace(localName, element);
        return element;
    }

    void onStart(const xmlChar* localName, const Attributes& attributes)
    {
        const E element = elementOf(localName);
        const E enclosing = _depth ? top().element : E::Document;
        if (element == E::Unknown)
            decodeError("unknown element <" + std::string(viewOf(localName)) + ">");
        if (!cimXmlAllowedChild(enclosing, element))
            decodeError(std::string("<") + cimXmlElementName(element) + "> is not allowed here");
        if (element == E::ValueReference && ++_openReferences > MAX_NESTED_REFERENCES)
            decodeError("references nested more than " + std::to_string(MAX_NESTED_REFERENCES) + " deep");
        if (++_depth == _frames.size())
            _frames.resize(_frames.size() * 2);
        top().reset(element);
        startActions(top(), attributes);
    }

    void onText(const xmlChar* text, int size)
    {
        if (_depth && cimXmlHasText(top().element))
            top().text.append(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
        else if (!isWhiteSpace(text, size))
            decodeError("unexpected text");
    }

    void onEnd()
    {
        endActions(top());
        if (top().element == E::ValueReference)
            --_openReferences;
        --_depth;
    }

    void startActions(Frame& f, const Attributes& a)
    {
        switch (f.element)
        {
        case E::Message:
            _sawMessage = true;
            break;
        case E::IMethodResponse:
        case E::MethodResponse:
            response.methodName = String(std::string(a.required("NAME")));
            response.isMethodResponse = f.element == E::MethodResponse;
            break;
        case E::Error: startError(a); break;
        case E::ReturnValue:
            f.typed = a.type("PARAMTYPE", f.type);
            break;
        case E::ParamValue:
            f.name = a.name("NAME");
            f.typed = a.type("PARAMTYPE", f.type);
            break;
        case E::Namespace:
            parent().text += (parent().text.empty() ? "" : "/") + std::string(a.required("NAME"));
            break;
        case E::ClassName: f.name = a.name("NAME"); break;
        case E::InstanceName: f.path.setClassName(a.name("CLASSNAME")); break;
        case E::KeyBinding: f.name = a.name("NAME"); break;
        case E::KeyValue: startKeyValue(f, a); break;
        case E::Class: f.cimClass = CIMClass(a.name("NAME"), a.optionalName("SUPERCLASS")); break;
        case E::Instance: f.instance = CIMInstance(a.name("CLASSNAME")); break;
        case E::Qualifier: startQualifier(f, a); break;
        case E::Property:
        case E::PropertyArray:
        case E::PropertyReference: startProperty(f, a); break;
        case E::Method: startMethod(f, a); break;
        case E::Parameter:
        case E::ParameterReference:
        case E::ParameterArray:
        case E::ParameterRefArray: startParameter(f, a); break;
        default: break;
        }
    }

    void startError(const Attributes& a)
    {
        Uint32 code = 0;
        if (!ValueText::parseInteger(a.required("CODE"), code))
            decodeError("CODE is not a number");
        std::string_view description;
        a.find("DESCRIPTION", description);
        response.hasError = true;
        response.errorCode = static_cast<CIMStatusCode>(code);
        response.errorDescription = String(std::string(description));
    }

    // Servers leave TYPE out or empty; VALUETYPE then tells enough.
    void startKeyValue(Frame& f, const Attributes& a)
    {
        std::string_view valueType = "string";
        a.find("VALUETYPE", valueType);
        f.keyType = keyTypeOf(valueType);
    }

    void startQualifier(Frame& f, const Attributes& a)
    {
        f.name = a.name("NAME");
        f.typed = a.type("TYPE", f.type);
        if (!f.typed)
            decodeError("qualifier without TYPE");
        f.propagated = a.flag("PROPAGATED", false);
        const struct { const char* attribute; bool defaultValue; const CIMFlavor& flavor; } flavors[] = {
            {"OVERRIDABLE", true, CIMFlavor::OVERRIDABLE},
            {"TOSUBCLASS", true, CIMFlavor::TOSUBCLASS},
            {"TOINSTANCE", false, CIMFlavor::TOINSTANCE},
            {"TRANSLATABLE", false, CIMFlavor::TRANSLATABLE},
        };
        for (const auto& flavor : flavors)
            if (a.flag(flavor.attribute, flavor.defaultValue))
                f.flavor.addFlavor(flavor.flavor);
    }

    void startProperty(Frame& f, const Attributes& a)
    {
        f.name = a.name("NAME");
        f.classOrigin = a.optionalName("CLASSORIGIN");
        f.propagated = a.flag("PROPAGATED", false);
        if (f.element == E::PropertyReference)
        {
            f.type = CIMTYPE_REFERENCE;
            f.referenceClass = a.optionalName("REFERENCECLASS");
            return;
        }
        if (!a.type("TYPE", f.type))
            decodeError("property without TYPE");
        f.arraySize = a.number("ARRAYSIZE");
    }

    void startMethod(Frame& f, const Attributes& a)
    {
        CIMType type = CIMTYPE_STRING;
        a.type("TYPE", type);
        f.method = CIMMethod(a.name("NAME"), type, a.optionalName("CLASSORIGIN"), a.flag("PROPAGATED", false));
    }

    void startParameter(Frame& f, const Attributes& a)
    {
        f.name = a.name("NAME");
        const bool isReference = f.element == E::ParameterReference || f.element == E::ParameterRefArray;
        if (isReference)
        {
            f.type = CIMTYPE_REFERENCE;
            f.referenceClass = a.optionalName("REFERENCECLASS");
        }
        else if (!a.type("TYPE", f.type))
        {
            decodeError("parameter without TYPE");
        }
        f.arraySize = a.number("ARRAYSIZE");
    }

    void endActions(Frame& f)
    {
        switch (f.element)
        {
        case E::Value: endValue(f); break;
        case E::ValueNull: endValueNull(); break;
        case E::ValueArray:
            parent().items.swap(f.items);
            parent().nullItems.swap(f.nullItems);
            parent().hasArray = true;
            break;
        case E::ValueReference: endValueReference(f); break;
        case E::ValueRefArray:
            parent().references.swap(f.references);
            parent().hasArray = true;
            break;
        case E::Host: parent().path.setHost(String(std::move(f.text))); break;
        case E::LocalNamespacePath: parent().path.setNameSpace(CIMNamespaceName(String(std::move(f.text)))); break;
        case E::ClassName: endClassName(f); break;
        case E::KeyValue: endKeyValue(f); break;
        case E::KeyBinding: endKeyBinding(f); break;
        case E::NamespacePath:
        case E::ClassPath:
        case E::LocalClassPath:
        case E::InstancePath:
        case E::LocalInstancePath:
        case E::InstanceName:
        case E::ObjectPath: deliverPath(std::move(f.path)); break;
        case E::Qualifier: endQualifier(f); break;
        case E::Property:
        case E::PropertyArray:
        case E::PropertyReference: endProperty(f); break;
        case E::Parameter:
        case E::ParameterReference:
        case E::ParameterArray:
        case E::ParameterRefArray: endParameter(f); break;
        case E::Method:
            addQualifiers(f.method, f.qualifiers);
            parent().cimClass.addMethod(f.method);
            break;
        case E::Class:
        case E::Instance: deliverObject(f); break;
        case E::ValueNamedInstance:
        case E::ValueInstanceWithPath: endPathAndInstance(f); break;
        case E::ValueObject:
        case E::ValueNamedObject:
        case E::ValueObjectWithPath:
        case E::ValueObjectWithLocalPath: endObject(f); break;
        case E::ReturnValue:
            response.returnValue = f.typed || f.hasValue || f.hasPath ? valueOfUntypedAsString(f) : CIMValue();
            break;
        case E::ParamValue:
            response.outParameters.append(CIMParamValue(f.name.getString(), valueOfUntypedAsString(f), f.typed));
            break;
        default: break;
        }
    }

    // Without PARAMTYPE a value arrives untyped: references are recognised
    // by their element, everything else is kept as a string.
    static CIMValue valueOfUntypedAsString(Frame& f)
    {
        if (!f.typed)
            f.type = f.hasPath || !f.references.empty() ? CIMTYPE_REFERENCE : CIMTYPE_STRING;
        return valueOf(f);
    }

    void endValue(Frame& f)
    {
        Frame& p = parent();
        if (p.element == E::ValueArray)
        {
            p.items.push_back(std::move(f.text));
            p.nullItems.push_back(false);
            return;
        }
        p.text.swap(f.text);
        p.hasValue = true;
    }

    void endValueNull()
    {
        Frame& p = parent();
        if (p.element == E::ValueArray)
        {
            p.items.emplace_back();
            p.nullItems.push_back(true);
        }
        else
        {
            p.references.emplace_back();
        }
    }

    void endValueReference(Frame& f)
    {
        if (!f.hasPath)
            decodeError("empty VALUE.REFERENCE");
        Frame& p = parent();
        if (p.element == E::ValueRefArray)
        {
            p.references.push_back(f.path);
            return;
        }
        p.path = f.path;
        p.hasPath = true;
    }

    void endClassName(Frame& f)
    {
        Frame& p = parent();
        if (p.element == E::IReturnValue)
        {
            response.classNames.append(f.name);
            return;
        }
        CIMObjectPath path;
        path.setClassName(f.name);
        deliverPath(std::move(path));
    }

    // Numeric and boolean keys stand unquoted in a path's text form: they
    // must be what they claim to be.
    void endKeyValue(Frame& f)
    {
        Boolean b;
        if (f.keyType == CIMKeyBinding::NUMERIC && !ValueText::isNumber(f.text))
            decodeError("\"" + f.text + "\" is not a numeric key value");
        if (f.keyType == CIMKeyBinding::BOOLEAN && !ValueText::parseBoolean(f.text, b))
            decodeError("\"" + f.text + "\" is not a boolean key value");
        parent().text.swap(f.text);
        parent().keyType = f.keyType;
        parent().hasValue = true;
    }

    void endKeyBinding(Frame& f)
    {
        if (f.hasPath)
            parent().path.addKeyBinding(CIMKeyBinding(f.name, f.path));
        else if (f.hasValue)
            parent().path.addKeyBinding(CIMKeyBinding(f.name, String(std::move(f.text)), f.keyType));
        else
            decodeError("KEYBINDING without value");
    }

    void deliverPath(CIMObjectPath&& path)
    {
        Frame& p = parent();
        if (p.element == E::IReturnValue)
            response.paths.append(std::move(path));
        else
            mergePath(p.path, std::move(path));
        p.hasPath = true;
    }

    void endQualifier(Frame& f)
    {
        CIMQualifier qualifier(f.name, valueOf(f), f.flavor, f.propagated);
        Frame& p = parent();
        if (p.element == E::Class)
            p.cimClass.addQualifier(qualifier);
        else if (p.element == E::Instance)
            p.instance.addQualifier(qualifier);
        else
            p.qualifiers.push_back(std::move(qualifier));
    }

    template <class Element>
    static void addQualifiers(Element& element, const std::vector<CIMQualifier>& qualifiers)
    {
        for (const CIMQualifier& q : qualifiers)
            element.addQualifier(q);
    }

    void endProperty(Frame& f)
    {
        const bool nullArray = f.element == E::PropertyArray && !f.hasArray;
        const CIMValue value = nullArray ? CIMValue(f.type, true) : valueOf(f);
        CIMProperty property(f.name, value, f.arraySize, f.referenceClass, f.classOrigin, f.propagated);
        addQualifiers(property, f.qualifiers);
        Frame& p = parent();
        if (p.element == E::Class)
            p.cimClass.addProperty(property);
        else
            p.instance.addProperty(std::move(property));
    }

    void endParameter(Frame& f)
    {
        const bool isArray = f.element == E::ParameterArray || f.element == E::ParameterRefArray;
        CIMParameter parameter(f.name, f.type, isArray, f.arraySize, f.referenceClass);
        addQualifiers(parameter, f.qualifiers);
        parent().method.addParameter(parameter);
    }

    void deliverObject(Frame& f)
    {
        Frame& p = parent();
        if (p.element == E::IReturnValue)
        {
            if (f.element == E::Class)
                response.classes.append(f.cimClass);
            else
                response.instances.append(f.instance);
        }
        else if (p.element != E::Error)
        {
            p.cimClass = f.cimClass;
            p.instance = f.instance;
        }
    }

    void endPathAndInstance(Frame& f)
    {
        if (!f.hasPath || f.instance.isUninitialized())
            decodeError("path or instance missing");
        f.instance.setPath(std::move(f.path));
        response.instances.append(f.instance);
    }

    void endObject(Frame& f)
    {
        if (!f.hasObject())
            decodeError("object missing");
        CIMObject object = f.object();
        if (f.hasPath)
            object.setPath(f.path);
        response.objects.append(object);
    }

    xmlParserCtxtPtr _context = nullptr;
    std::vector<Frame> _frames;
    size_t _depth = 0;
    size_t _openReferences = 0;
    std::unordered_map<const xmlChar*, E> _elements;
    std::string _error;
    bool _sawMessage = false;
};

ResponseDecoder::ResponseDecoder() : _parser(new ResponseParser)
{
}

ResponseDecoder::~ResponseDecoder() = default;

void ResponseDecoder::feed(const char* data, size_t size)
{
    _parser->feed(data, size);
}

void ResponseDecoder::finish()
{
    _parser->finish();
}

bool ResponseDecoder::failed() const
{
    return _parser->failed();
}

DecodedResponse& ResponseDecoder::response()
{
    return _parser->response;
}

PEGASUS_NAMESPACE_END
