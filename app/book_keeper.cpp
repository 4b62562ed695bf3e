#include "app/book_keeper.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "addressbook/site_manage_file.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"

namespace app {
namespace {

// As the address book's own reader: a site manage file is far smaller than this.
constexpr size_t kMaxBookFileBytes = size_t{64} << 20;

std::string encoded(const addressbook::CAddressBook& book) {
  return addressbook::serializeSiteManageFile(book);
}

}  // namespace

BookFileSnapshot BookFileSnapshot::take(const std::string& path) {
  BookFileSnapshot snapshot;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return snapshot;
  snapshot.exists = true;
  snapshot.device = st.st_dev;
  snapshot.inode = st.st_ino;
  snapshot.size = st.st_size;
  snapshot.modified = st.st_mtim;
  platform::Result<std::string> bytes = platform::readWholeFile(path, kMaxBookFileBytes);
  if (bytes.ok()) {
    snapshot.readable = true;
    snapshot.bytes = std::move(*bytes);
  }
  return snapshot;
}

bool BookFileSnapshot::sameAs(const BookFileSnapshot& other) const {
  if (exists != other.exists) return false;
  if (!exists) return true;
  if (readable && other.readable) return bytes == other.bytes;
  return readable == other.readable && device == other.device && inode == other.inode &&
         size == other.size && modified.tv_sec == other.modified.tv_sec &&
         modified.tv_nsec == other.modified.tv_nsec;
}

platform::Status BookKeeper::load(const std::string& path, addressbook::CAddressBook* book) {
  path_ = path;
  seen_ = BookFileSnapshot::take(path);
  const platform::Status status = book->load(path);
  unreadable_ = !status.ok() && seen_.exists;
  baseline_ = encoded(*book);
  return status;
}

std::string BookKeeper::asideName() const {
  return platform::freeAsideName(path_, kUnreadableBookSuffix);
}

bool BookKeeper::hasOwnChanges(const addressbook::CAddressBook& book) const {
  return encoded(book) != baseline_;
}

bool BookKeeper::changedElsewhere() const {
  return !BookFileSnapshot::take(path_).sameAs(seen_);
}

void BookKeeper::remember(const addressbook::CAddressBook& book) {
  seen_ = BookFileSnapshot::take(path_);
  baseline_ = encoded(book);
  unreadable_ = false;
}

BookKeeper::Result BookKeeper::write(addressbook::CAddressBook* book) {
  Result result;
  if (unreadable_ && BookFileSnapshot::take(path_).exists) {
    const std::string aside = asideName();
    if (::rename(path_.c_str(), aside.c_str()) != 0) {
      result.outcome = Outcome::kFailed;
      result.status = platform::Status::cannotWrite(
          i18n::formatText(
              i18n::text(i18n::IDS_BOOK_MOVE_ASIDE_FAILED),
              {platform::utf8ToCp1252Lossy(path_), platform::utf8ToCp1252Lossy(aside)}),
          std::strerror(errno));
      return result;
    }
    result.movedAside = aside;
  }
  result.status = book->save(path_);
  if (!result.status.ok()) {
    result.outcome = Outcome::kFailed;
    // The file that did not load is safe beside; what stands at the path now is not it.
    if (!result.movedAside.empty()) {
      unreadable_ = false;
      seen_ = BookFileSnapshot::take(path_);
    }
    return result;
  }
  remember(*book);
  result.outcome = Outcome::kSaved;
  return result;
}

BookKeeper::Result BookKeeper::saveChange(addressbook::CAddressBook* book,
                                          const ForeignChangeQuestion& ask) {
  if (changedElsewhere() && ask && ask() == ForeignChoice::kReloadTheirs) return reload(book);
  return write(book);
}

BookKeeper::Result BookKeeper::refresh(addressbook::CAddressBook* book) {
  if (!changedElsewhere() || hasOwnChanges(*book)) return {};
  return reload(book);
}

BookKeeper::Result BookKeeper::reload(addressbook::CAddressBook* book) {
  Result result;
  result.outcome = Outcome::kTheirsReloaded;
  const BookFileSnapshot now = BookFileSnapshot::take(path_);
  if (!now.exists) {
    book->clear();
    remember(*book);
    return result;
  }
  result.status = book->load(path_);
  if (result.status.ok()) {
    remember(*book);
    return result;
  }
  // Their file does not load either: it is kept like one found at start, and whatever the book
  // holds beyond what was last written stays a change of this program's own.
  seen_ = now;
  unreadable_ = true;
  return result;
}

BookKeeper::Result BookKeeper::saveAtExit(addressbook::CAddressBook* book,
                                          const ForeignChangeQuestion& ask) {
  Result result;
  const bool mine = hasOwnChanges(*book);
  const BookFileSnapshot now = BookFileSnapshot::take(path_);
  if (!now.sameAs(seen_)) {
    const bool keepMine = mine && ask && ask() == ForeignChoice::kKeepMine;
    if (keepMine) {
      result = write(book);
    } else {
      result.outcome = Outcome::kTheirsKept;
    }
  } else if (unreadable_) {
    if (mine) result = write(book);
  } else if (!(now.readable && now.bytes == encoded(*book))) {
    result = write(book);
  }
  book->clear();
  return result;
}

}  // namespace app
