#include "bitmaps/picture_keeper.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "bitmaps/picture_file.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"

namespace bitmaps {

platform::Status PictureKeeper::load(const std::string& path, uint16_t signWidth, int colourMode,
                                     CBitmapCatalog* catalog) {
  path_ = path;
  signWidth_ = signWidth;
  colourMode_ = colourMode;
  const platform::Status status = loadPictures(path, signWidth, colourMode, catalog);
  unreadable_ = !status.ok() && platform::pathExists(path);
  baseline_ = *catalog;
  return status;
}

std::string PictureKeeper::asideName() const {
  return platform::freeAsideName(path_, kUnreadablePicturesSuffix);
}

PictureKeeper::ExitResult PictureKeeper::saveAtExit(const CBitmapCatalog& catalog) {
  ExitResult result;
  if (unreadable_ && platform::pathExists(path_)) {
    if (!changed(catalog)) return result;
    const std::string aside = asideName();
    if (std::rename(path_.c_str(), aside.c_str()) != 0) {
      result.status = platform::Status::cannotWrite(
          i18n::formatText(i18n::text(i18n::IDS_PICTURE_FILE_SAVE_FAILED),
                           {platform::utf8ToCp1252Lossy(aside)}),
          std::strerror(errno));
      return result;
    }
    result.movedAside = aside;
  }
  result.status = savePictures(path_, signWidth_, colourMode_, catalog);
  result.written = result.status.ok();
  if (result.written) {
    unreadable_ = false;
    baseline_ = catalog;
  }
  return result;
}

}  // namespace bitmaps
