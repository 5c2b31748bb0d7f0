#include "TlsIdentity.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <stdexcept>
#include <unistd.h>

namespace
{
std::string pemOf(int (*write)(BIO*, void*), void* object)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), BIO_free);
    write(bio.get(), object);
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

int writeCertificate(BIO* bio, void* x)
{
    return PEM_write_bio_X509(bio, static_cast<X509*>(x));
}

int writeKey(BIO* bio, void* key)
{
    return PEM_write_bio_PrivateKey(bio, static_cast<EVP_PKEY*>(key), nullptr, nullptr, 0, nullptr, nullptr);
}
}

TlsIdentity TlsIdentity::generate()
{
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"),
                                                           EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> certificate(X509_new(), X509_free);
    if (!key || !certificate)
        throw std::runtime_error("cannot create a test certificate");
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 24 * 3600);
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    X509_set_pubkey(certificate.get(), key.get());
    X509_sign(certificate.get(), key.get(), EVP_sha256());

    TlsIdentity identity;
    identity.certificatePem = pemOf(writeCertificate, certificate.get());
    identity.keyPem = pemOf(writeKey, key.get());
    static int generated = 0;
    identity.certificateFile =
        "/tmp/pegasus-test-cert-" + std::to_string(::getpid()) + "-" + std::to_string(++generated) + ".pem";
    std::ofstream(identity.certificateFile) << identity.certificatePem;
    return identity;
}
