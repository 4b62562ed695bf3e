#pragma once

#include <random>

#include "workspace/message_model.h"

namespace testing_support {

// A random but valid workspace: up to `maxMessages` messages with non-contiguous ascending file
// numbers, lines of every element kind (newlines included), every control type with values in
// range (several at one position, some at the line end), any sign settings and Image Transfer
// File path, and a full scheduler with ten tasks.
workspace::Workspace randomWorkspace(std::mt19937& rng, int maxMessages = 12);

}  // namespace testing_support
