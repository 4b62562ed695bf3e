#include "app/sign_catalogs.h"

#include <algorithm>
#include <utility>

#include "app/startup_sequence.h"
#include "bitmaps/picture_file.h"

namespace app {
namespace {

constexpr int kMaxPictureWidth = 0xFFFF;  // the picture data file's images are 16 bits wide

bool sameSign(const varnel_profile::SignSettings& a, const varnel_profile::SignSettings& b) {
  return a.width == b.width && a.colourMode == b.colourMode;
}

}  // namespace

std::string useSignCatalog(AppState* state, const varnel_profile::SignSettings& sign) {
  if (sameSign(sign, state->sign) || sign.width <= 0 || sign.width > kMaxPictureWidth) return {};
  auto& kept = state->keptCatalogs;
  if (state->pictures.changed(state->catalog)) {
    kept.push_back({state->sign, std::move(state->catalog), std::move(state->pictures)});
  }
  state->sign = sign;
  const auto width = static_cast<uint16_t>(sign.width);
  const auto found = std::find_if(kept.begin(), kept.end(),
                                  [&sign](const KeptCatalog& k) { return sameSign(k.sign, sign); });
  if (found != kept.end()) {
    state->catalog = std::move(found->catalog);
    state->pictures = std::move(found->pictures);
    kept.erase(found);
    return {};
  }
  state->catalog = bitmaps::CBitmapCatalog(width);
  state->pictures = bitmaps::PictureKeeper();
  const platform::Status loaded =
      state->pictures.load(bitmaps::picturePath(state->dataDir, sign.width, sign.colourMode), width,
                           sign.colourMode, &state->catalog);
  return loaded.ok() ? std::string() : picturesLoadMessage(loaded, state->pictures);
}

std::vector<std::string> saveKeptCatalogs(AppState* state) {
  std::vector<std::string> failures;
  for (KeptCatalog& kept : state->keptCatalogs) {
    const bitmaps::PictureKeeper::ExitResult saved = kept.pictures.saveAtExit(kept.catalog);
    if (!saved.status.ok()) failures.push_back(saved.status.message());
  }
  state->keptCatalogs.clear();
  return failures;
}

}  // namespace app
