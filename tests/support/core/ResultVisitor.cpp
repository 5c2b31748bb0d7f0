#include "ResultVisitor.h"

#include <Pegasus/Common/Exception.h>

PEGASUS_USING_PEGASUS;

template <class Element>
void ResultVisitor::visitQualifiers(const Element& element)
{
    for (Uint32 i = 0; i < element.getQualifierCount(); ++i)
        visitValue(element.getQualifier(i).getValue());
}

template <class Object>
void ResultVisitor::visitObject(const Object& object)
{
    visitPath(object.getPath());
    visitQualifiers(object);
    for (Uint32 i = 0; i < object.getPropertyCount(); ++i)
    {
        const CIMConstProperty property = object.getProperty(i);
        visitQualifiers(property);
        visitValue(property.getValue());
    }
}

void ResultVisitor::visitClass(const CIMClass& cimClass)
{
    visitObject(cimClass);
    for (Uint32 i = 0; i < cimClass.getMethodCount(); ++i)
    {
        const CIMConstMethod method = cimClass.getMethod(i);
        visitQualifiers(method);
        for (Uint32 j = 0; j < method.getParameterCount(); ++j)
            visitQualifiers(method.getParameter(j));
    }
}

void ResultVisitor::visitValue(const CIMValue& value)
{
    onValue(value);
    if (value.getType() != CIMTYPE_REFERENCE || value.isNull())
        return;
    if (value.isArray())
    {
        Array<CIMObjectPath> paths;
        value.get(paths);
        for (Uint32 i = 0; i < paths.size(); ++i)
            visitPath(paths[i]);
        return;
    }
    CIMObjectPath path;
    value.get(path);
    visitPath(path);
}

void ResultVisitor::visitPath(const CIMObjectPath& path)
{
    onPath(path);
    const Array<CIMKeyBinding>& keys = path.getKeyBindings();
    for (Uint32 i = 0; i < keys.size(); ++i)
    {
        if (keys[i].getType() != CIMKeyBinding::REFERENCE)
            continue;
        try
        {
            visitPath(CIMObjectPath(keys[i].getValue()));
        }
        catch (const MalformedObjectNameException&)
        {
            // A reference key that names no path is still a key; its text
            // was seen with the path that holds it.
        }
    }
}

void ResultVisitor::visit(const DecodedResponse& response)
{
    for (Uint32 i = 0; i < response.paths.size(); ++i)
        visitPath(response.paths[i]);
    for (Uint32 i = 0; i < response.instances.size(); ++i)
        visitObject(response.instances[i]);
    for (Uint32 i = 0; i < response.classes.size(); ++i)
        visitClass(response.classes[i]);
    for (Uint32 i = 0; i < response.objects.size(); ++i)
    {
        const CIMObject& object = response.objects[i];
        if (object.isClass())
            visitClass(object.asClass());
        else
            visitObject(object);
    }
    visitValue(response.returnValue);
    for (Uint32 i = 0; i < response.outParameters.size(); ++i)
        visitValue(response.outParameters[i].getValue());
}
