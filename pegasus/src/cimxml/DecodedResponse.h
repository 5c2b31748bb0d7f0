#ifndef Pegasus_DecodedResponse_h
#define Pegasus_DecodedResponse_h

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObject.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMParamValue.h>
#include <Pegasus/Common/CIMStatusCode.h>
#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// What one CIM-XML response carried, each kind of result in the order the
// server sent it.
struct DecodedResponse
{
    String methodName;
    Boolean isMethodResponse = false;   // METHODRESPONSE (extrinsic) or IMETHODRESPONSE

    Boolean hasError = false;
    CIMStatusCode errorCode = CIM_ERR_SUCCESS;
    String errorDescription;

    Array<CIMName> classNames;          // CLASSNAME
    Array<CIMObjectPath> paths;         // INSTANCENAME, OBJECTPATH, INSTANCEPATH
    Array<CIMInstance> instances;       // INSTANCE, VALUE.NAMEDINSTANCE, VALUE.INSTANCEWITHPATH
    Array<CIMClass> classes;            // CLASS
    Array<CIMObject> objects;           // VALUE.OBJECT, VALUE.OBJECTWITHPATH, ...

    CIMValue returnValue;               // RETURNVALUE
    Array<CIMParamValue> outParameters; // PARAMVALUE of a method response

    // Class names, paths, instances, classes and objects together.
    Uint32 resultCount() const
    {
        return classNames.size() + paths.size() + instances.size() + classes.size() + objects.size();
    }
};

PEGASUS_NAMESPACE_END

#endif
