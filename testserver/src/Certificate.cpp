#include "testcimom/Certificate.h"

#include <openssl/bio.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace testcimom {

namespace {

constexpr long kDay = 24 * 60 * 60;

template <class T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, std::integral_constant<decltype(Free), Free>>;

void require(bool ok, const char* step)
{
    if (!ok)
        throw std::runtime_error(std::string("certificate generation failed: ") + step);
}

std::string bioText(BIO* bio)
{
    char* data = nullptr;
    long length = BIO_get_mem_data(bio, &data);
    return std::string(data, static_cast<std::size_t>(length));
}

std::string certificatePem(X509* certificate)
{
    Owned<BIO, BIO_free_all> pem(BIO_new(BIO_s_mem()));
    require(PEM_write_bio_X509(pem.get(), certificate) == 1, "write certificate");
    return bioText(pem.get());
}

std::string keyPem(EVP_PKEY* key)
{
    Owned<BIO, BIO_free_all> pem(BIO_new(BIO_s_mem()));
    require(PEM_write_bio_PrivateKey(pem.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1, "write key");
    return bioText(pem.get());
}

struct Validity {
    long notBefore;
    long notAfter;
};

Validity validityOf(CertificateKind kind)
{
    switch (kind) {
    case CertificateKind::Expired:
        return {-30 * kDay, -kDay};
    case CertificateKind::NotYetValid:
        return {kDay, 30 * kDay};
    default:
        return {-kDay, 3650 * kDay};
    }
}

void addSubjectAltName(X509* certificate, const std::string& names)
{
    Owned<X509_EXTENSION, X509_EXTENSION_free> extension(
        X509V3_EXT_conf_nid(nullptr, nullptr, NID_subject_alt_name, names.c_str()));
    require(extension != nullptr, "subjectAltName");
    require(X509_add_ext(certificate, extension.get(), -1) == 1, "add extension");
}

Owned<BIO, BIO_free_all> openForReading(const std::string& path)
{
    Owned<BIO, BIO_free_all> file(BIO_new_file(path.c_str(), "r"));
    if (file == nullptr) {
        ERR_clear_error();
        throw std::runtime_error("cannot read " + path);
    }
    return file;
}

// Files are read by OpenSSL, so that one that holds no certificate or key
// fails when the server starts, not at the first handshake.
std::string certificatesIn(const std::string& path)
{
    Owned<BIO, BIO_free_all> file = openForReading(path);
    std::string chain;
    while (Owned<X509, X509_free> certificate{PEM_read_bio_X509(file.get(), nullptr, nullptr, nullptr)})
        chain += certificatePem(certificate.get());
    ERR_clear_error();  // left by the read that found no further certificate
    if (chain.empty())
        throw std::runtime_error("no PEM certificate in " + path);
    return chain;
}

std::string privateKeyIn(const std::string& path)
{
    Owned<BIO, BIO_free_all> file = openForReading(path);
    Owned<EVP_PKEY, EVP_PKEY_free> key(PEM_read_bio_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    ERR_clear_error();
    if (key == nullptr)
        throw std::runtime_error("no PEM private key in " + path);
    return keyPem(key.get());
}

}  // namespace

CertificatePem CertificatePem::fresh(CertificateKind kind)
{
    Owned<EVP_PKEY, EVP_PKEY_free> key(EVP_EC_gen("P-256"));
    require(key != nullptr, "key");
    Owned<X509, X509_free> certificate(X509_new());
    require(certificate != nullptr, "x509");
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), static_cast<long>(kind) + 1);
    Validity validity = validityOf(kind);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), validity.notBefore);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), validity.notAfter);
    const bool otherHost = kind == CertificateKind::OtherHost;
    const char* commonName = otherHost ? "other-host.invalid" : "localhost";
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1,
                               -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    addSubjectAltName(certificate.get(), otherHost ? "DNS:other-host.invalid" : "DNS:localhost,IP:127.0.0.1");
    require(X509_set_pubkey(certificate.get(), key.get()) == 1, "public key");
    require(X509_sign(certificate.get(), key.get(), EVP_sha256()) > 0, "sign");
    return {certificatePem(certificate.get()), keyPem(key.get())};
}

const CertificatePem& CertificatePem::generated(CertificateKind kind)
{
    static std::mutex mutex;
    static std::map<CertificateKind, CertificatePem> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(kind);
    if (it == cache.end())
        it = cache.emplace(kind, fresh(kind)).first;
    return it->second;
}

CertificatePem CertificatePem::fromFiles(const std::string& certificateFile, const std::string& keyFile)
{
    return {certificatesIn(certificateFile), privateKeyIn(keyFile)};
}

}  // namespace testcimom
