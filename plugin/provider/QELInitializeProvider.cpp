// The entry point that the host's provider manager looks up, by this name,
// in every provider library it loads.
#include "provider/TCimHTTPNamespaceProvider.h"

extern "C" int QELInitializeProvider()
{
    return NVORNQEL20::TCimHTTPNamespaceProvider::Initialize();
}
