#ifndef Pegasus_ElementFrame_h
#define Pegasus_ElementFrame_h

#include "CimXmlElement.h"
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMMethod.h>
#include <Pegasus/Common/CIMObject.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <string>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// One open element of a response being decoded and what its children have
// handed up so far.
struct ElementFrame
{
    CimXmlElement element = CimXmlElement::Document;
    CIMName name;
    CIMType type = CIMTYPE_STRING;
    bool typed = false;
    CIMName classOrigin;
    CIMName referenceClass;
    bool propagated = false;
    CIMFlavor flavor;
    Uint32 arraySize = 0;
    CIMKeyBinding::Type keyType = CIMKeyBinding::STRING;

    std::string text;                    // a VALUE's inside; KEYVALUE, HOST; namespace of LOCALNAMESPACEPATH
    bool hasValue = false;               // a VALUE, KEYVALUE or reference arrived
    bool hasArray = false;               // a VALUE.ARRAY or VALUE.REFARRAY arrived
    std::vector<std::string> items;      // VALUE.ARRAY elements
    std::vector<bool> nullItems;
    std::vector<CIMObjectPath> references;
    CIMObjectPath path;
    bool hasPath = false;
    std::vector<CIMQualifier> qualifiers;
    std::vector<CIMKeyBinding> keys;       // of an INSTANCENAME
    std::vector<CIMProperty> properties;   // of a CLASS or an INSTANCE
    CIMClass cimClass;
    CIMInstance instance;
    CIMMethod method;

    void reset(CimXmlElement e)
    {
        element = e;
        text.clear();
        hasValue = hasArray = hasPath = false;
        if (!keepsMoreThanText(e))
            return;
        name.clear();
        typed = false;
        classOrigin.clear();
        referenceClass.clear();
        propagated = false;
        flavor = CIMFlavor();
        arraySize = 0;
        items.clear();
        nullItems.clear();
        references.clear();
        // Most elements never touch their path, and clearing it is a call.
        if (path.getHost().size() || !path.getNameSpace().isNull() || !path.getClassName().isNull()
            || path.getKeyBindings().size())
            path.clear();
        qualifiers.clear();
        keys.clear();
        properties.clear();
        cimClass = CIMClass();
        instance = CIMInstance();
        method = CIMMethod();
    }

    // The leaves of a response, most of its elements, read no more of their
    // frame than their text, name and key type, each set when they start.
    static bool keepsMoreThanText(CimXmlElement e)
    {
        switch (e)
        {
        case CimXmlElement::Value:
        case CimXmlElement::ValueNull:
        case CimXmlElement::KeyValue:
        case CimXmlElement::Host:
        case CimXmlElement::Namespace:
        case CimXmlElement::ClassName: return false;
        default: return true;
        }
    }

    bool hasObject() const { return !cimClass.isUninitialized() || !instance.isUninitialized(); }
    CIMObject object() const { return cimClass.isUninitialized() ? CIMObject(instance) : CIMObject(cimClass); }
};

PEGASUS_NAMESPACE_END

#endif
