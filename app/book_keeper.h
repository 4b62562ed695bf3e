#pragma once

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <string>

#include "addressbook/address_book.h"
#include "platform/status.h"

// Keeps the site manage file in step with the address book in memory, so that nothing the user
// enters is lost and nothing another program wrote is overwritten unasked:
//  - every change is written at once (atomically, owner-only), not only at exit;
//  - a file that is there but did not load (damaged, foreign, from a newer program, unreadable)
//    is left byte for byte as it is until the user changes the book; then it is moved aside
//    (kUnreadableBookSuffix) and the book written under the normal name;
//  - a file that another program changed since it was read or written here (varnel-cli book
//    import, a second varnel) is noticed before writing: the caller's question decides whether
//    that file is read again or overwritten; with nothing new here it is simply read again.
namespace app {

// Appended to the site manage file's name for a file that did not load, moved aside before the
// book is written under the normal name.
inline constexpr char kUnreadableBookSuffix[] = ".unreadable";

// The file at one moment: whether it is there, and what it holds. A file that exists but cannot
// be read is told apart by its identity and time stamp instead.
struct BookFileSnapshot {
  bool exists = false;
  bool readable = false;
  std::string bytes;  // when readable
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  static BookFileSnapshot take(const std::string& path);
  // True when the two show the same file contents.
  bool sameAs(const BookFileSnapshot& other) const;
};

// The answer to "another program changed the file: read it again, or keep yours?".
enum class ForeignChoice { kReloadTheirs, kKeepMine };
using ForeignChangeQuestion = std::function<ForeignChoice()>;

class BookKeeper {
 public:
  enum class Outcome {
    kSaved,           // the book was written
    kUnchanged,       // nothing to write (the file already holds the book, or is kept)
    kTheirsReloaded,  // the other program's file was read into the book
    kTheirsKept,      // the other program's file was kept and nothing written
    kFailed,          // writing failed; status says why and the file is as it was
  };
  struct Result {
    Outcome outcome = Outcome::kUnchanged;
    platform::Status status;  // a load failure after kTheirsReloaded, a write failure after kFailed
    std::string movedAside;   // where a file that did not load was moved, when it was
  };

  // Loads the file at `path` into *book (as CAddressBook::load) and remembers what the file held.
  platform::Status load(const std::string& path, addressbook::CAddressBook* book);

  const std::string& path() const { return path_; }
  // True while a file that did not load is kept as it is.
  bool keepingUnreadable() const { return unreadable_; }
  // Where that file will be moved (the first free name of path + kUnreadableBookSuffix, + ".2"...).
  std::string asideName() const;
  // True when *book differs from what was last read from or written to the file.
  bool hasOwnChanges(const addressbook::CAddressBook& book) const;
  // True when the file is no longer what was last read or written here.
  bool changedElsewhere() const;

  // After a change to *book: writes it at once. When another program changed the file meanwhile,
  // `ask` decides (read theirs into *book, or write over it).
  Result saveChange(addressbook::CAddressBook* book, const ForeignChangeQuestion& ask);

  // Before the book is edited: when another program changed the file and *book holds nothing
  // unsaved, reads that file into *book (kTheirsReloaded; a load failure is in status). Otherwise
  // nothing happens (kUnchanged).
  Result refresh(addressbook::CAddressBook* book);

  // Reads the file as it is now into *book, whatever the book held (kTheirsReloaded). A missing
  // file gives an empty book; a file that does not load is kept and the book left as it was.
  Result reload(addressbook::CAddressBook* book);

  // At exit: writes the book when the file does not already hold it, except that a file that did
  // not load is kept while the book is unchanged, and another program's change is kept while
  // there is nothing new here (asks otherwise). Then empties the book.
  Result saveAtExit(addressbook::CAddressBook* book, const ForeignChangeQuestion& ask);

 private:
  Result write(addressbook::CAddressBook* book);
  void remember(const addressbook::CAddressBook& book);

  std::string path_;
  BookFileSnapshot seen_;  // the file as last read or written here
  std::string baseline_;   // the book, encoded, as last read or written here
  bool unreadable_ = false;
};

}  // namespace app
