#pragma once
// Server certificates for the HTTPS listener: made at start-up (an EC P-256
// key, cached per process and kind so starting servers stays fast) or read
// from PEM files. The odd kinds let tests see how a client meets a
// certificate it should not trust.

#include <string>

namespace testcimom {

enum class CertificateKind {
    SelfSigned,   // for "localhost" and 127.0.0.1, valid now
    Expired,      // validity ended yesterday
    NotYetValid,  // validity starts tomorrow
    OtherHost,    // valid, but for "other-host.invalid"
};

struct CertificatePem {
    std::string certificate;
    std::string privateKey;

    static const CertificatePem& generated(CertificateKind kind);
    // A certificate and key of their own on every call.
    static CertificatePem fresh(CertificateKind kind);
    // The certificates (a chain, the server's first) and the key in PEM
    // files; throws std::runtime_error when a file cannot be read or holds
    // none.
    static CertificatePem fromFiles(const std::string& certificateFile, const std::string& keyFile);
};

}  // namespace testcimom
