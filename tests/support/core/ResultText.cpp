#include "ResultText.h"

#include <algorithm>
#include <sstream>
#include <vector>

PEGASUS_USING_PEGASUS;

namespace
{
std::string text(const String& s)
{
    return std::string(s.getCString());
}

template <typename Element>
std::string qualifiersOf(const Element& element)
{
    std::string result;
    for (Uint32 i = 0; i < element.getQualifierCount(); ++i)
    {
        const CIMConstQualifier q = element.getQualifier(i);
        result += "\n    Q " + text(q.getName().getString()) + " " + ResultText::of(q.getValue()) + " flavor=" +
                  text(q.getFlavor().toString()) + (q.getPropagated() ? " propagated" : "");
    }
    return result;
}

std::string propertyOf(const CIMConstProperty& p)
{
    return "\n  P " + text(p.getName().getString()) + " " + ResultText::of(p.getValue()) +
           " ref=" + text(p.getReferenceClassName().getString()) +
           " origin=" + text(p.getClassOrigin().getString()) + (p.getPropagated() ? " propagated" : "") +
           qualifiersOf(p);
}

std::string methodOf(const CIMConstMethod& m)
{
    std::string result = "\n  M " + text(m.getName().getString()) + " " + text(cimTypeToString(m.getType())) +
                         " origin=" + text(m.getClassOrigin().getString()) + qualifiersOf(m);
    for (Uint32 i = 0; i < m.getParameterCount(); ++i)
    {
        const CIMConstParameter p = m.getParameter(i);
        result += "\n   PARAM " + text(p.getName().getString()) + " " + text(cimTypeToString(p.getType())) +
                  (p.isArray() ? "[]" : "") + " ref=" + text(p.getReferenceClassName().getString()) + qualifiersOf(p);
    }
    return result;
}
}

namespace ResultText
{
std::string of(const CIMValue& value)
{
    std::string result = text(cimTypeToString(value.getType())) + (value.isArray() ? "[]" : "");
    return result + (value.isNull() ? " NULL" : " '" + text(value.toString()) + "'");
}

std::string of(const CIMName& name)
{
    return text(name.getString());
}

std::string of(const CIMObjectPath& path)
{
    return text(path.toString());
}

std::string of(const CIMClass& c)
{
    std::string result = "CLASS " + text(c.getClassName().getString()) + " : " +
                         text(c.getSuperClassName().getString()) + qualifiersOf(c);
    for (Uint32 i = 0; i < c.getPropertyCount(); ++i)
        result += propertyOf(c.getProperty(i));
    for (Uint32 i = 0; i < c.getMethodCount(); ++i)
        result += methodOf(c.getMethod(i));
    return result;
}

std::string of(const CIMInstance& instance)
{
    std::string result = "INSTANCE " + text(instance.getPath().toString()) + qualifiersOf(instance);
    for (Uint32 i = 0; i < instance.getPropertyCount(); ++i)
        result += propertyOf(instance.getProperty(i));
    return result;
}

std::string of(const CIMObject& object)
{
    return object.isClass() ? of(CIMClass(object)) : of(CIMInstance(object));
}

template <typename T>
std::string of(const Array<T>& objects)
{
    std::vector<std::string> texts;
    for (Uint32 i = 0; i < objects.size(); ++i)
        texts.push_back(of(objects[i]));
    std::sort(texts.begin(), texts.end());
    std::string result = std::to_string(texts.size()) + " objects";
    for (const std::string& t : texts)
        result += "\n" + t;
    return result;
}

template std::string of(const Array<CIMClass>&);
template std::string of(const Array<CIMInstance>&);
template std::string of(const Array<CIMObjectPath>&);
template std::string of(const Array<CIMName>&);
template std::string of(const Array<CIMObject>&);

std::string ofMethodResult(const CIMValue& returned, const Array<CIMParamValue>& out)
{
    std::string result = "RETURN " + of(returned);
    for (Uint32 i = 0; i < out.size(); ++i)
        result += "\n  OUT " + text(out[i].getParameterName()) + " " + of(out[i].getValue());
    return result;
}
}
