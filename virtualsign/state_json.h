#pragma once

#include <string>

#include "virtualsign/sign_state.h"

namespace virtualsign {

// The sign's state as JSON text (the schema is in the README, "virtual-sign"). Characters are
// converted from Windows-1252 to UTF-8.
std::string stateJson(const SignState& state);

// A readable form of a message: characters as they are (Windows-1252), "\n" for each line end and
// the other items in braces: {time}, {date}, {symbol 3}, {bitmap 2}, {image 0}, {special 50},
// {speed 3}, {pause 1}, {beep 2}, {cartoon 8}, {effect 1}.
std::string messageText(const Message& message);

}  // namespace virtualsign
