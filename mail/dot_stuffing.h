#pragma once

#include <string>
#include <string_view>

namespace mail {

// Dot-stuffs text for the SMTP data phase: a "." that begins a line gets a second "." before it
// ("\n." becomes "\n.."), so no line of the mail can end the data early. The text is taken to
// begin at the start of a line, as every body does in a rendered mail, so a leading "." is
// doubled too. Rendering applies this exactly once, to text bodies (base64 holds no dots).
std::string dotStuff(std::string_view text);

}  // namespace mail
