#pragma once

#include <string>
#include <string_view>

namespace receiver {

// Results of decodeAttachment besides the byte count.
inline constexpr int kNoAttachmentName = -1;  // The body has no "filename=".
inline constexpr int kNoAttachmentLine = -2;  // The "filename=" line has no line end.

// Takes the sign data file out of a sign mail's body, as the sender lays it out: the first
// "filename=" names the file (the rest of its line, double quotes removed); the base64 text starts
// after the empty line that ends the part header and runs to the next empty line (or the end of
// the body); its line ends are dropped and it is decoded (characters outside the alphabet are
// skipped, the first "=" ends the data).
//
// The name is given as the mail has it; safeFileName (save_directory.h) makes a file name of it.
//
// Returns the number of decoded bytes (0 or more) with *fileName and *bytes set, or
// kNoAttachmentName / kNoAttachmentLine.
int decodeAttachment(std::string_view body, std::string* fileName, std::string* bytes);

}  // namespace receiver
