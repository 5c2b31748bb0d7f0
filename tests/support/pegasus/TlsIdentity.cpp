#include "TlsIdentity.h"

#include <fstream>
#include <testcimom/Certificate.h>
#include <unistd.h>

TlsIdentity TlsIdentity::generate()
{
    const testcimom::CertificatePem pem = testcimom::CertificatePem::fresh(testcimom::CertificateKind::SelfSigned);
    static int generated = 0;
    TlsIdentity identity{pem.certificate, pem.privateKey,
                         "/tmp/pegasus-test-cert-" + std::to_string(::getpid()) + "-" + std::to_string(++generated)
                             + ".pem"};
    std::ofstream(identity.certificateFile) << identity.certificatePem;
    return identity;
}
