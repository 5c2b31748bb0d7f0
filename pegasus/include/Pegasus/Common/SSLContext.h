#ifndef Pegasus_SSLContext_h
#define Pegasus_SSLContext_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// What a certificate check callback learns about one certificate of the
// server's chain.
class PEGASUS_COMMON_LINKAGE SSLCertificateInfo
{
public:
    SSLCertificateInfo(const String& subjectName,
                       const String& issuerName,
                       Sint32 errorDepth,
                       Sint32 errorCode,
                       const String& errorString);

    const String& getSubjectName() const { return _subjectName; }
    const String& getIssuerName() const { return _issuerName; }
    // Depth in the chain: 0 for the server's own certificate.
    Sint32 getErrorDepth() const { return _errorDepth; }
    // OpenSSL's verification result for this certificate; 0 when it passed.
    Sint32 getErrorCode() const { return _errorCode; }
    const String& getErrorString() const { return _errorString; }

private:
    String _subjectName;
    String _issuerName;
    Sint32 _errorDepth;
    Sint32 _errorCode;
    String _errorString;
};

// Decides whether a certificate of the chain is accepted.
typedef Boolean(SSLCertificateVerifyFunction)(SSLCertificateInfo& certInfo);

// TLS settings of an HTTPS connection.
//  - No trust store and no callback: the server's certificate is accepted
//    without checks (encryption without authentication).
//  - A trust store (a PEM file of trusted certificates, or a directory of
//    hashed certificates): the chain must verify against it.
//  - A callback: it is asked for every certificate of the chain, with the
//    verification result, and its answer decides.
// A random file, when given, seeds OpenSSL's generator in addition to the
// system's entropy.
class PEGASUS_COMMON_LINKAGE SSLContext
{
public:
    SSLContext(const String& trustStore,
               SSLCertificateVerifyFunction* verifyCert = nullptr,
               const String& randomFile = String::EMPTY);

    const String& getTrustStore() const { return _trustStore; }
    SSLCertificateVerifyFunction* getVerifyFunction() const { return _verifyCert; }
    const String& getRandomFile() const { return _randomFile; }

private:
    String _trustStore;
    SSLCertificateVerifyFunction* _verifyCert;
    String _randomFile;
};

PEGASUS_NAMESPACE_END

#endif
