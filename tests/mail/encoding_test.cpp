#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mail/base64.h"
#include "mail/dot_stuffing.h"
#include "mail/encoded_word.h"
#include "mail/mail_charset.h"
#include "mail/quoted_printable.h"

using mail::base64Decode;
using mail::base64Encode;
using mail::Base64Lines;
using mail::encodeWords;
using mail::quotedPrintableEncode;

namespace {

// Every line of `text` split at CR LF (the last piece may be empty).
std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
    lines.push_back(text.substr(start, pos - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

TEST(Base64, Rfc4648VectorsWithPadding) {
  const char* const cases[][2] = {{"", ""},
                                  {"f", "Zg=="},
                                  {"fo", "Zm8="},
                                  {"foo", "Zm9v"},
                                  {"foob", "Zm9vYg=="},
                                  {"fooba", "Zm9vYmE="},
                                  {"foobar", "Zm9vYmFy"}};
  for (const auto& c : cases) {
    EXPECT_EQ(base64Encode(c[0], Base64Lines::kUnbroken), c[1]);
    EXPECT_EQ(base64Decode(c[1]), c[0]);
  }
}

TEST(Base64, HundredBytesGiveLinesOf76And60EachEndedByCrLf) {
  std::string bytes;
  for (int i = 0; i < 100; ++i)
    bytes += static_cast<char>(i * 37 + 200);
  const std::string text = base64Encode(bytes, Base64Lines::kMailLines);
  const auto lines = splitCrLf(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 76u);
  EXPECT_EQ(lines[1].size(), 60u);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(base64Decode(text), bytes);
  EXPECT_EQ(base64Encode("", Base64Lines::kMailLines), "");
  // Exactly one full line still ends in CR LF and gets no empty line after it.
  EXPECT_EQ(splitCrLf(base64Encode(std::string(57, 'x'), Base64Lines::kMailLines)).size(), 2u);
}

// Every input length across several lines, padded tails at and around a line's end included: the
// mail layout is the unbroken text cut every 76 characters, each piece ended by CR LF.
TEST(Base64, MailLinesAreTheUnbrokenTextCutEvery76Characters) {
  std::string bytes;
  for (int i = 0; i < 300; ++i)
    bytes += static_cast<char>(i * 91 + 7);
  for (size_t n = 0; n <= bytes.size(); ++n) {
    const std::string_view input(bytes.data(), n);
    const std::string unbroken = base64Encode(input, Base64Lines::kUnbroken);
    ASSERT_EQ(unbroken.size(), (n + 2) / 3 * 4);
    std::string expected;
    for (size_t pos = 0; pos < unbroken.size(); pos += mail::kBase64LineLength)
      expected += unbroken.substr(pos, mail::kBase64LineLength) + "\r\n";
    ASSERT_EQ(base64Encode(input, Base64Lines::kMailLines), expected) << n << " bytes";
  }
}

TEST(Base64, DecoderSkipsLineEndsBlanksAndStrayBytesAndStopsAtPad) {
  EXPECT_EQ(base64Decode("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(base64Decode(" Zm\t9v\x0bYm\x07"
                         "Fy\x0c "),
            "foobar");
  EXPECT_EQ(base64Decode("Zm9v*YmFy!"), "foobar");
  EXPECT_EQ(base64Decode("Zm8=Zm9v"), "fo");
  // Unpadded tails: three characters give two bytes, two give one, one gives none.
  EXPECT_EQ(base64Decode("Zm9vYmE"), "fooba");
  EXPECT_EQ(base64Decode("Zm9vYg"), "foob");
  EXPECT_EQ(base64Decode("Zm9vY"), "foo");
  EXPECT_EQ(base64Decode("VXNlcm5hbWU6"), "Username:");
}

TEST(Base64, EveryByteValueSurvivesARoundTrip) {
  std::string all;
  for (int i = 0; i < 256; ++i)
    all += static_cast<char>(i);
  for (size_t cut = 0; cut <= 3; ++cut) {
    const std::string bytes = all.substr(cut);
    EXPECT_EQ(base64Decode(base64Encode(bytes, Base64Lines::kMailLines)), bytes);
    EXPECT_EQ(base64Decode(base64Encode(bytes, Base64Lines::kUnbroken)), bytes);
  }
}

// Random text (under the sanitizers) decodes without reading past its end, and whatever decodes
// is exactly what its alphabet characters encode.
TEST(Base64, RandomTextDecodesSafely) {
  std::mt19937 rng(77);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const size_t length = rng() % 24;
    for (size_t i = 0; i < length; ++i)
      text += static_cast<char>(rng() % 256);
    const std::string decoded = base64Decode(text);
    EXPECT_LE(decoded.size(), text.size() * 3 / 4 + 1);
    EXPECT_EQ(base64Decode(base64Encode(decoded, Base64Lines::kUnbroken)), decoded);
  }
}

TEST(QuotedPrintable, EscapesEqualsSignHighBytesAndControlsButKeepsLineEnds) {
  EXPECT_EQ(quotedPrintableEncode("a=b\r\nc\td \xe9\x7f\x01"), "a=3Db\r\nc\td =E9=7F=01");
  EXPECT_EQ(quotedPrintableEncode("plain text!~"), "plain text!~");
  EXPECT_EQ(quotedPrintableEncode(""), "");
}

TEST(QuotedPrintable, TwoHundredLettersAreCutAtTheLimitWithSoftBreaks) {
  const std::string encoded = quotedPrintableEncode(std::string(200, 'a'));
  EXPECT_EQ(encoded,
            std::string(75, 'a') + "=\r\n" + std::string(75, 'a') + "=\r\n" + std::string(50, 'a'));
  // A line of exactly 76 characters needs no break.
  EXPECT_EQ(quotedPrintableEncode(std::string(76, 'b') + "\r\n"), std::string(76, 'b') + "\r\n");
}

TEST(QuotedPrintable, CutsAfterTheLastBlankOrEscapeAndNeverInsideAnEscape) {
  const std::string words = std::string(60, 'w') + " " + std::string(30, 'x');
  EXPECT_EQ(quotedPrintableEncode(words), std::string(60, 'w') + " =\r\n" + std::string(30, 'x'));

  const std::string escaped = std::string(70, 'e') + "\xe9" + std::string(20, 'f');
  EXPECT_EQ(quotedPrintableEncode(escaped),
            std::string(70, 'e') + "=E9=\r\n" + std::string(20, 'f'));

  // 74 letters then an escape: the limit falls inside the escape, so the cut moves before it.
  const std::string split = std::string(74, 'g') + "\xe9" + std::string(10, 'h');
  EXPECT_EQ(quotedPrintableEncode(split), std::string(74, 'g') + "=\r\n=E9" + std::string(10, 'h'));
}

TEST(QuotedPrintable, NoEncodedLineIsLongerThan76AndSoftBreaksUndoToTheInput) {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    const int k = (i * 7919) % 97;
    text += k < 5    ? ' '
            : k < 8  ? '\n'
            : k < 20 ? static_cast<char>(0x80 + k)
                     : static_cast<char>('a' + k % 26);
  }
  const std::string encoded = quotedPrintableEncode(text);
  std::string undone;
  size_t start = 0;
  while (start < encoded.size()) {
    size_t end = encoded.find('\n', start);
    end = end == std::string::npos ? encoded.size() : end + 1;
    std::string line = encoded.substr(start, end - start);
    const std::string content = line.substr(0, line.find_first_of("\r\n"));
    EXPECT_LE(content.size(), mail::kQuotedPrintableLineLimit) << content;
    if (line.size() >= 3 && line.compare(line.size() - 3, 3, "=\r\n") == 0) {
      line.resize(line.size() - 3);
    }
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '=') {
        ASSERT_LE(i + 2, line.size() - 1) << "escape split: " << line;
        undone += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        undone += line[i];
      }
    }
    start = end;
  }
  EXPECT_EQ(undone, text);
}

TEST(EncodedWords, PureAsciiIsUnchangedAndHighBytesBecomeQWordsPer70Bytes) {
  EXPECT_EQ(encodeWords("Data for Z2500 series", "iso-8859-1"), "Data for Z2500 series");
  EXPECT_EQ(encodeWords("Caf\xe9 au_lait=?", "iso-8859-1"),
            "=?iso-8859-1?q?Caf=E9_au=5Flait=3D=3F?=");

  // 140 source bytes with a high byte in the second half: the first 70 stay plain, the second
  // 70 form one encoded word, and the two results are joined directly.
  const std::string first(70, 'a');
  const std::string second = std::string(69, 'b') + "\xfc";
  EXPECT_EQ(encodeWords(first + second, "iso-8859-1"),
            first + "=?iso-8859-1?q?" + std::string(69, 'b') + "=FC?=");

  // 71 bytes with high bytes in both pieces give two words.
  const std::string both = "\xe4" + std::string(69, 'c') + "\xf6";
  EXPECT_EQ(encodeWords(both, "iso-8859-1"),
            "=?iso-8859-1?q?=E4" + std::string(69, 'c') + "?==?iso-8859-1?q?=F6?=");
}

TEST(EncodedWords, ControlBytesCannotBreakTheHeaderLine) {
  EXPECT_EQ(encodeWords("Evil\r\nBcc: x@y", "iso-8859-1"), "=?iso-8859-1?q?Evil=0D=0ABcc:_x@y?=");
}

TEST(EncodedWords, Utf8CharsetConvertsAndNeverSplitsACharacter) {
  EXPECT_EQ(encodeWords("\xe9t\xe9", "UTF-8"), "=?UTF-8?q?=C3=A9t=C3=A9?=");
  // 69 ASCII letters and an e-acute: the two-byte character moves whole into the second word.
  const std::string text = std::string(69, 'x') + "\xe9";
  EXPECT_EQ(encodeWords(text, "utf-8"), std::string(69, 'x') + "=?utf-8?q?=C3=A9?=");
}

TEST(MailCharset, ConvertsOnlyForUtf8) {
  EXPECT_TRUE(mail::isUtf8Charset("uTf-8"));
  EXPECT_FALSE(mail::isUtf8Charset("utf8"));
  EXPECT_EQ(mail::textForCharset("\x80", "UTF-8"), "\xe2\x82\xac");
  EXPECT_EQ(mail::textForCharset("\x80", "iso-8859-1"), "\x80");
}

TEST(DotStuffing, LinesStartingWithADotGetASecondOne) {
  EXPECT_EQ(mail::dotStuff("first\r\n.second\r\n..third\r\nno.dot"),
            "first\r\n..second\r\n...third\r\nno.dot");
  // A body starts at the start of a line, so a leading dot (and a lone "." line) is doubled too.
  EXPECT_EQ(mail::dotStuff(".\r\nQUIT"), "..\r\nQUIT");
  EXPECT_EQ(mail::dotStuff(""), "");
}
