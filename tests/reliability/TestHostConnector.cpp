// The host's side of the plug-in's own operations, which are no host
// interface: connecting a namespace and calling a method on an object. A
// library of its own, loaded and unloaded with the plug-in, so that the
// program that loads them links nothing of the plug-in.
#include <boost/pointer_cast.hpp>

#include "class/TCimHTTPClass.h"
#include "namespace/TCimHTTPNamespace.h"

using namespace NVORNQEL20;

extern "C" void CimhttpTestConnect(ICIMNamespace& nameSpace, const char* host)
{
    TCimHTTPNamespace& remote = dynamic_cast<TCimHTTPNamespace&>(nameSpace);
    remote.Init();
    remote.connect(host, "", "");
}

extern "C" void CimhttpTestInvoke(ICIMClass& cls, const TCIMReference& object, const char* method, TCIMValue& result)
{
    TCIMContext outputs;
    result = dynamic_cast<TCimHTTPClass&>(cls).InvokeMethod(object, method, TCIMContext(), outputs, TCIMContext());
}
