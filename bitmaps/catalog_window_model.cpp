#include "bitmaps/catalog_window_model.h"

#include <algorithm>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"

namespace bitmaps {

int CatalogWindowModel::scrollMaximum() const {
  return std::max(0, static_cast<int>(catalog_.count()) - kVisibleRows);
}

void CatalogWindowModel::scrollTo(int first) {
  firstShown_ = std::clamp(first, 0, scrollMaximum());
}

std::optional<int> CatalogWindowModel::catalogPositionAt(int row) const {
  if (row < 0 || row >= kVisibleRows) return std::nullopt;
  const int position = firstShown_ + row;
  if (position >= static_cast<int>(catalog_.count())) return std::nullopt;
  return position;
}

void CatalogWindowModel::highlight(int catalogPosition) {
  if (catalogPosition >= 0 && catalogPosition < static_cast<int>(catalog_.count())) {
    highlighted_ = catalogPosition;
  }
}

CatalogWindowModel::AddResult CatalogWindowModel::addImage(int catalogPosition,
                                                           bool confirmedCopy) {
  if (catalogPosition < 0 || catalogPosition >= static_cast<int>(catalog_.count())) return {};
  if (file_.full()) return {AddStep::kRefused, i18n::text(i18n::IDS_TRANSFER_FILE_FULL)};
  const int number = catalog_.at(static_cast<size_t>(catalogPosition)).indexNumber();
  if (file_.contains(number) && !confirmedCopy) {
    return {AddStep::kAskDuplicate, i18n::text(i18n::IDS_ASK_ADD_IMAGE_AGAIN)};
  }
  file_.append(number);
  return {AddStep::kAdded, {}};
}

const CBitmapImage* CatalogWindowModel::listImageAt(int row) const {
  if (row < 0 || row >= file_.count || row >= ImageTransferFile::kMaxImages) return nullptr;
  return catalog_.find(file_.slots[static_cast<size_t>(row)]);
}

bool CatalogWindowModel::select(int row) {
  if (row < 0 || row >= file_.count || row >= ImageTransferFile::kMaxImages) return false;
  selected_ = row;
  return true;
}

std::optional<std::string> CatalogWindowModel::removeSelected(
    const std::function<bool(int indexNumber)>& inUse) {
  if (!selected_ || *selected_ >= file_.count) {
    selected_.reset();
    return i18n::text(i18n::IDS_SELECT_IMAGE_TO_REMOVE);
  }
  const int number = file_.slots[static_cast<size_t>(*selected_)];
  if (inUse && inUse(number)) {
    return i18n::formatText(i18n::text(i18n::IDS_IMAGE_IN_USE), {static_cast<long long>(number)});
  }
  file_.removeAt(*selected_);
  if (file_.count == 0) {
    selected_.reset();
  } else if (*selected_ >= file_.count) {
    selected_ = file_.count - 1;
  }
  return std::nullopt;
}

std::optional<std::string> CatalogWindowModel::clearQuestion() const {
  if (!file_.changed) return std::nullopt;
  return i18n::text(i18n::IDS_ASK_SAVE_BEFORE_CLEAR);
}

std::optional<std::string> CatalogWindowModel::openQuestion() const {
  if (!file_.changed) return std::nullopt;
  return i18n::text(i18n::IDS_ASK_SAVE_LIST_FILE);
}

void CatalogWindowModel::clear() {
  file_.clear();
  selected_.reset();
}

void CatalogWindowModel::newFile() {
  clear();
  file_.fileName.clear();
}

platform::Status CatalogWindowModel::open(const std::string& path) {
  clear();
  ImageTransferFile loaded;
  const platform::Status status = loadTransferFile(path, &loaded);
  if (!status.ok()) return status;
  file_ = loaded;
  return status;
}

platform::Status CatalogWindowModel::saveTo(const std::string& path) {
  const platform::Status status = saveTransferFile(path, file_);
  if (status.ok()) {
    file_.fileName = path;
    file_.changed = false;
  }
  return status;
}

std::string CatalogWindowModel::caption(const std::string& dialogCaption) const {
  return catalogCaption(dialogCaption, file_.fileName);
}

}  // namespace bitmaps
