// The sign data file that travels by e-mail: its header, then the stream inside it cut into the
// units that go on the line, as the receiver forwards it.

#include <cstdlib>
#include <string_view>

#include "fuzz/support/fuzz_support.h"
#include "signlink/sign_data_file.h"
#include "signlink/stream_units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzzing::inputView(data, size);
  std::string_view stream;
  if (!signlink::signDataFileStream(bytes, &stream)) stream = bytes;
  const signlink::StreamUnits units = signlink::readStream(stream);
  if (signlink::totalBytes(units.units) > stream.size() * 2 + 16) std::abort();
  signlink::frameCount(units.units, 1);
  signlink::frameCount(units.units, 1024);
  return 0;
}
