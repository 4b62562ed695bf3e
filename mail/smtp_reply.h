#pragma once

#include <string_view>

namespace mail {

// Pieces of reading an SMTP server's reply that need no socket, so they can be tested (and fed
// arbitrary bytes) on their own.

// True when the reply text read so far is complete: it ends with `terminator` or its last
// character is LF, and its last line is not followed by more (its code is not followed by '-'),
// so that a multi-line reply spread over several packets is read to its final line. With
// `waitFor250Line` (the EHLO reply) it must in addition hold "250 " somewhere.
bool smtpReplyComplete(std::string_view text, std::string_view terminator, bool waitFor250Line);

// The number of a reply line: its first three characters read as a decimal number, stopping at
// the first non-digit (so "25x" gives 25 and a line without digits 0).
int smtpReplyLineCode(std::string_view line);

// Looks through the lines of `text` (separated by `terminator`) for one whose code is
// `expectedCode`. *lastCode receives the code of the last line examined (0 for empty text).
// True when such a line was found, so a multi-line reply succeeds if any of its lines carries
// the expected code.
bool smtpReplyHasCode(std::string_view text, std::string_view terminator, int expectedCode,
                      int* lastCode);

// True when a line of the EHLO reply `text` (CR LF separated, "250-KEYWORD ..." or "250 KEYWORD")
// names the extension `keyword` (case-insensitive), e.g. "STARTTLS".
bool smtpReplyOffers(std::string_view text, std::string_view keyword);

}  // namespace mail
