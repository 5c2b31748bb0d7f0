#include <Pegasus/Common/SSLContext.h>

PEGASUS_NAMESPACE_BEGIN

SSLCertificateInfo::SSLCertificateInfo(const String& subjectName,
                                       const String& issuerName,
                                       Sint32 errorDepth,
                                       Sint32 errorCode,
                                       const String& errorString)
    : _subjectName(subjectName),
      _issuerName(issuerName),
      _errorDepth(errorDepth),
      _errorCode(errorCode),
      _errorString(errorString)
{
}

SSLContext::SSLContext(const String& trustStore, SSLCertificateVerifyFunction* verifyCert, const String& randomFile)
    : _trustStore(trustStore), _verifyCert(verifyCert), _randomFile(randomFile)
{
}

PEGASUS_NAMESPACE_END
