#pragma once

#include <string>

#include "tests/support/temp_dir.h"

namespace testing_support {

// Certificates for TLS tests, made when the object is built (OpenSSL, P-256 keys) in a private
// directory removed with it. A private CA signs server certificates for this machine's loopback
// names (localhost and 127.0.0.1), for another host name, and one that has expired; a second,
// unknown CA signs one for the loopback names that nobody trusts. Each server certificate file
// holds the certificate; its key is in the matching key file. `extraAddress` (an IPv4 address)
// is named in the good certificate too, for a server on another loopback address.
class TestCertificates {
 public:
  // Which server certificate.
  enum class Server { kGood, kOtherHost, kExpired, kUnknownIssuer };

  explicit TestCertificates(const std::string& extraAddress = {});

  // The private CA's certificate (PEM): what a client names as its CA file.
  std::string caFile() const { return dir_.file("ca.pem"); }
  // A file that is not a certificate at all.
  std::string garbageCaFile() const { return dir_.file("garbage.pem"); }
  std::string certFile(Server which) const;
  std::string keyFile(Server which) const;

 private:
  TempDir dir_;
};

// A loopback address of this test program's own (127.x.y.z, chosen at first use), where a relay
// can take a fixed port such as 995 or 465 that another program may hold on 127.0.0.1.
const std::string& sharedLoopbackAddress();

// One set of certificates for a whole test program, made at first use; the good certificate also
// names sharedLoopbackAddress().
const TestCertificates& sharedTestCertificates();

}  // namespace testing_support
