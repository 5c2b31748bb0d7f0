#ifndef TestSupport_TlsIdentity_h
#define TestSupport_TlsIdentity_h

#include <string>

// A self-signed certificate for "localhost" and 127.0.0.1 and its key, made
// afresh by the test CIMOM's certificate maker; certificateFile is a PEM copy
// usable as a trust store.
struct TlsIdentity
{
    std::string certificatePem;
    std::string keyPem;
    std::string certificateFile;

    static TlsIdentity generate();
};

#endif
