#pragma once
// Turns CIM-XML elements (DSP0201) into the model: what data files declare
// and what requests carry. Throws XmlStructureError on elements that do not
// fit.

#include "XmlDocument.h"
#include "testcimom/CimModel.h"

namespace testcimom {

class CimXmlReader {
public:
    static CimClass readClass(const xmlNode* node);
    static Instance readInstance(const xmlNode* node);
    static QualifierDecl readQualifierDecl(const xmlNode* node);
    // INSTANCENAME, or a VALUE.REFERENCE / INSTANCEPATH / LOCALINSTANCEPATH /
    // CLASSPATH / LOCALCLASSPATH / CLASSNAME holding one.
    static ObjectPath readPath(const xmlNode* node);
    // "root/cimv2" from a LOCALNAMESPACEPATH.
    static std::string readNamespace(const xmlNode* node);
    // VALUE, VALUE.ARRAY, VALUE.REFERENCE or VALUE.REFARRAY (children of
    // node) as the given type.
    static Value readValue(const xmlNode* parent, CimType type, bool isArray);
    // A PARAMVALUE, typed by PARAMTYPE or, without it, as string (a
    // reference when it holds one).
    static ParamValue readParamValue(const xmlNode* node);
    static CimType readType(const xmlNode* node, const char* attributeName = "TYPE");
};

}  // namespace testcimom
