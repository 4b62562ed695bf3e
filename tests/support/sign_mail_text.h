#pragma once

#include <string>

namespace testing_support {

// A sign data mail as varnel renders it, spelled out field by field: from its first header line to
// the closing boundary (the SMTP end mark is not part of it). `attachmentBase64` is the attachment
// in base64 lines, each ending in CR LF.
inline std::string expectedSignDataMail(const std::string& from, const std::string& to,
                                        const std::string& boundary, const std::string& date,
                                        const std::string& fileName,
                                        const std::string& attachmentBase64) {
  return "From: " + from + "\r\nTo: " + to +
         "\r\n"
         "Subject: Data for Z2500 series\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n"
         "MIME-Version: 1.0\r\n"
         "Content-Type: multipart/mixed; boundary=\"" +
         boundary + "\"\r\nDate: " + date +
         "\r\n"
         "X-Priority: 1\r\n"
         "\r\n"
         "This is a multi-part message in MIME format\r\n"
         "--" +
         boundary +
         "\r\n"
         "Content-Type: text/plain; charset=iso-8859-1\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n"
         "\r\n"
         "Data for Z2500 series\r\n"
         "\r\n"
         "--" +
         boundary +
         "\r\nContent-Type: application/octet-stream; charset=iso-8859-1; name=" + fileName +
         "\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "Content-Disposition: attachment; filename=\"" +
         fileName + "\"\r\n\r\n" + attachmentBase64 + "\r\n--" + boundary + "--";
}

}  // namespace testing_support
