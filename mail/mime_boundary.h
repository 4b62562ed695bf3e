#pragma once

#include <string>

namespace mail {

// A fresh boundary for a MIME part: a random UUID in its canonical lowercase form (8-4-4-4-12
// hexadecimal digits with hyphens), taken from libuuid. Boundaries only have to differ between
// the parts of one mail; random UUIDs make a clash with body text practically impossible.
std::string makeMimeBoundary();

}  // namespace mail
