// Certificates read from PEM files: served as they are, chain included, and
// refused at start-up when a file holds no certificate or key.

#include "RawClient.h"
#include "ServerFixture.h"

#include <gtest/gtest.h>
#include <openssl/err.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace testcimom::test {
namespace {

// A file of this process that is gone at the end of the test.
class TemporaryFile {
public:
    TemporaryFile(const std::string& name, const std::string& content)
        : path_("/tmp/testcimom-" + std::to_string(::getpid()) + "-" + name)
    {
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::size_t certificateCount(const std::string& pem)
{
    std::size_t count = 0;
    for (std::size_t at = pem.find("BEGIN CERTIFICATE"); at != std::string::npos;
         at = pem.find("BEGIN CERTIFICATE", at + 1))
        ++count;
    return count;
}

TEST(CertificateFiles, ServerPresentsTheCertificateOfItsFilesWithTheRestOfTheChain)
{
    const CertificatePem own = CertificatePem::fresh(CertificateKind::OtherHost);
    const CertificatePem issuer = CertificatePem::fresh(CertificateKind::SelfSigned);
    TemporaryFile chain("chain.pem", own.certificate + issuer.certificate);
    TemporaryFile key("key.pem", own.privateKey);

    const CertificatePem read = CertificatePem::fromFiles(chain.path(), key.path());
    EXPECT_EQ(read.certificate, own.certificate + issuer.certificate);
    EXPECT_EQ(certificateCount(read.certificate), 2u);

    ServerOptions options = smallCaptureOptions();
    options.certificateFile = chain.path();
    options.privateKeyFile = key.path();
    auto server = startedServer(options);
    EXPECT_EQ(RawClient(server->address(), server->httpsPort(), true).peerCommonName(), "other-host.invalid");
}

TEST(CertificateFiles, FilesWithoutCertificateOrKeyAreRefusedByName)
{
    const CertificatePem pem = CertificatePem::fresh(CertificateKind::SelfSigned);
    TemporaryFile certificate("certificate.pem", pem.certificate);
    TemporaryFile key("key.pem", pem.privateKey);
    TemporaryFile text("text.pem", "not a certificate\n");

    // A failed read leaves nothing in OpenSSL's error queue for the next TLS
    // call to trip on.
    const auto refusal = [](const std::string& certificateFile, const std::string& keyFile) -> std::string {
        try {
            CertificatePem::fromFiles(certificateFile, keyFile);
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(ERR_peek_error(), 0u) << error.what();
            return error.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal(text.path(), key.path()), "no PEM certificate in " + text.path());
    EXPECT_EQ(refusal(certificate.path(), certificate.path()), "no PEM private key in " + certificate.path());
    EXPECT_EQ(refusal("/nonexistent/cert.pem", key.path()), "cannot read /nonexistent/cert.pem");
    EXPECT_EQ(CertificatePem::fromFiles(certificate.path(), key.path()).certificate, pem.certificate);
    EXPECT_EQ(ERR_peek_error(), 0u);
}

}  // namespace
}  // namespace testcimom::test
