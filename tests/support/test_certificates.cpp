#include "tests/support/test_certificates.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include "tests/support/capturing_proxy.h"

namespace testing_support {

namespace {

constexpr long kDay = 24 * 60 * 60;
constexpr char kLoopbackNames[] = "DNS:localhost,IP:127.0.0.1";

struct Issued {
  EVP_PKEY* key = nullptr;
  X509* cert = nullptr;
  ~Issued() {
    X509_free(cert);
    EVP_PKEY_free(key);
  }
};

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "test certificates: %s failed\n", what);
  std::abort();
}

void addExtension(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  check(extension != nullptr && X509_add_ext(cert, extension, -1) == 1, "an extension");
  X509_EXTENSION_free(extension);
}

// A certificate for `commonName` valid from `fromDays` to `toDays` days from now, signed by
// `issuer` (itself when null: a CA). `altNames` ("DNS:...,IP:...") for a server.
void issue(Issued* out, const char* commonName, const Issued* issuer, const char* altNames,
           long fromDays, long toDays, long serial) {
  out->key = EVP_EC_gen("P-256");
  out->cert = X509_new();
  check(out->key != nullptr && out->cert != nullptr, "a key");
  X509* cert = out->cert;
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), serial);
  X509_gmtime_adj(X509_getm_notBefore(cert), fromDays * kDay);
  X509_gmtime_adj(X509_getm_notAfter(cert), toDays * kDay);
  X509_set_pubkey(cert, out->key);
  X509_NAME* name = X509_get_subject_name(cert);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509* signer = issuer != nullptr ? issuer->cert : cert;
  X509_set_issuer_name(cert, X509_get_subject_name(signer));
  if (issuer == nullptr) {
    addExtension(cert, signer, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(cert, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    addExtension(cert, signer, NID_subject_alt_name, altNames);
    addExtension(cert, signer, NID_ext_key_usage, "serverAuth");
  }
  addExtension(cert, signer, NID_subject_key_identifier, "hash");
  const EVP_PKEY* signingKey = issuer != nullptr ? issuer->key : out->key;
  check(X509_sign(cert, const_cast<EVP_PKEY*>(signingKey), EVP_sha256()) > 0, "signing");
}

void save(const Issued& issued, const std::string& certPath, const std::string& keyPath) {
  FILE* certOut = std::fopen(certPath.c_str(), "w");
  FILE* keyOut = std::fopen(keyPath.c_str(), "w");
  check(certOut != nullptr && keyOut != nullptr, "opening the files");
  check(PEM_write_X509(certOut, issued.cert) == 1, "writing a certificate");
  check(PEM_write_PrivateKey(keyOut, issued.key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
        "writing a key");
  std::fclose(certOut);
  std::fclose(keyOut);
}

const char* baseName(TestCertificates::Server which) {
  switch (which) {
    case TestCertificates::Server::kGood:
      return "server";
    case TestCertificates::Server::kOtherHost:
      return "other-host";
    case TestCertificates::Server::kExpired:
      return "expired";
    case TestCertificates::Server::kUnknownIssuer:
      return "unknown-issuer";
  }
  return "server";
}

}  // namespace

TestCertificates::TestCertificates(const std::string& extraAddress) {
  Issued ca;
  Issued unknownCa;
  issue(&ca, "Loopback Test CA", nullptr, nullptr, -1, 30, 1);
  issue(&unknownCa, "Unknown Test CA", nullptr, nullptr, -1, 30, 2);
  save(ca, caFile(), dir_.file("ca.key"));
  Issued good, otherHost, expired, unknown;
  const std::string goodNames =
      std::string(kLoopbackNames) + (extraAddress.empty() ? "" : ",IP:" + extraAddress);
  issue(&good, "localhost", &ca, goodNames.c_str(), -1, 30, 10);
  issue(&otherHost, "mail.other.example", &ca, "DNS:mail.other.example", -1, 30, 11);
  issue(&expired, "localhost", &ca, kLoopbackNames, -30, -1, 12);
  issue(&unknown, "localhost", &unknownCa, kLoopbackNames, -1, 30, 13);
  save(good, certFile(Server::kGood), keyFile(Server::kGood));
  save(otherHost, certFile(Server::kOtherHost), keyFile(Server::kOtherHost));
  save(expired, certFile(Server::kExpired), keyFile(Server::kExpired));
  save(unknown, certFile(Server::kUnknownIssuer), keyFile(Server::kUnknownIssuer));
  writeFile(garbageCaFile(), "this is not a certificate\n");
}

std::string TestCertificates::certFile(Server which) const {
  return dir_.file(std::string(baseName(which)) + ".pem");
}

std::string TestCertificates::keyFile(Server which) const {
  return dir_.file(std::string(baseName(which)) + ".key");
}

const std::string& sharedLoopbackAddress() {
  static const std::string address = randomLoopbackAddress();
  return address;
}

const TestCertificates& sharedTestCertificates() {
  static const TestCertificates made(sharedLoopbackAddress());
  return made;
}

}  // namespace testing_support
