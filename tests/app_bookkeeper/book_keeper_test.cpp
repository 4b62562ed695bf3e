#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "addressbook/address_book.h"
#include "addressbook/site_manage_file.h"
#include "app/book_keeper.h"
#include "tests/support/temp_dir.h"

namespace {

using app::BookKeeper;
using app::ForeignChoice;
using Outcome = app::BookKeeper::Outcome;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

// A version 36 file: the right header, written by a newer program.
std::string newerProgramFile() {
  std::string bytes = std::string("\x14\0\0\0", 4) + "Z2500 SITE DATA HEAD";
  bytes += std::string("\x24\0\0\0", 4);
  return bytes + std::string(40, '\0');
}

addressbook::CAddressBook bookWithSite(const std::string& site) {
  addressbook::CAddressBook book;
  addressbook::CDevice device;
  device.name = "Lan";
  device.type = addressbook::DeviceType::kTcpIp;
  book.devices.push_back(device);
  book.sites.push_back({site, "Lan", "1-3", "", "Hall"});
  book.tcpIpGroups.push_back({"Hall", "127.0.0.1"});
  return book;
}

addressbook::CAddressBook readBook(const std::string& path) {
  addressbook::CAddressBook book;
  EXPECT_TRUE(book.load(path).ok());
  return book;
}

// Counts the questions asked and answers each the same way.
struct Answer {
  ForeignChoice choice;
  int asked = 0;
  app::ForeignChangeQuestion question() {
    return [this] {
      ++asked;
      return choice;
    };
  }
};

class BookKeeperTest : public testing::Test {
 protected:
  std::string path() const { return dir_.file(addressbook::kSiteManageFileName); }
  // What another program (varnel-cli book import, a second varnel) does to the file.
  void writeElsewhere(const std::string& site) {
    ASSERT_TRUE(bookWithSite(site).save(path()).ok());
  }

  TempDir dir_;
  BookKeeper keeper_;
  addressbook::CAddressBook book_;
};

TEST_F(BookKeeperTest, EveryChangeIsWrittenAtOnceForTheOwnerAlone) {
  writeElsewhere("Depot");
  ASSERT_TRUE(keeper_.load(path(), &book_).ok());
  EXPECT_FALSE(keeper_.hasOwnChanges(book_));
  book_.sites.push_back({"Yard", "Lan", "4", "", "Hall"});
  EXPECT_TRUE(keeper_.hasOwnChanges(book_));

  Answer answer{ForeignChoice::kReloadTheirs};
  const BookKeeper::Result saved = keeper_.saveChange(&book_, answer.question());
  EXPECT_EQ(saved.outcome, Outcome::kSaved);
  EXPECT_EQ(answer.asked, 0);  // nothing changed elsewhere, so nothing to ask
  EXPECT_EQ(readBook(path()).sites.size(), 2u);
  struct stat st {};
  ASSERT_EQ(::stat(path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_FALSE(keeper_.hasOwnChanges(book_));
  EXPECT_FALSE(keeper_.changedElsewhere());
}

TEST_F(BookKeeperTest, AFileThatDidNotLoadIsKeptByteForByteUntilTheBookChanges) {
  for (const std::string& bytes :
       {std::string("not an address book"), newerProgramFile(), newerProgramFile().substr(0, 10)}) {
    SCOPED_TRACE(bytes.size());
    TempDir dir;
    const std::string file = dir.file(addressbook::kSiteManageFileName);
    writeFile(file, bytes);
    BookKeeper keeper;
    addressbook::CAddressBook book;
    EXPECT_FALSE(keeper.load(file, &book).ok());
    EXPECT_TRUE(keeper.keepingUnreadable());
    EXPECT_EQ(keeper.asideName(), file + ".unreadable");

    // An exit without a change leaves it alone, and so does a second start and exit.
    EXPECT_EQ(keeper.saveAtExit(&book, {}).outcome, Outcome::kUnchanged);
    EXPECT_FALSE(keeper.load(file, &book).ok());
    keeper.saveAtExit(&book, {});
    EXPECT_EQ(readFile(file), bytes);

    // The first change moves it aside and writes the book under the normal name.
    keeper.load(file, &book);
    book = bookWithSite("Depot");
    const BookKeeper::Result saved = keeper.saveChange(&book, {});
    EXPECT_EQ(saved.outcome, Outcome::kSaved);
    EXPECT_EQ(saved.movedAside, file + ".unreadable");
    EXPECT_EQ(readFile(file + ".unreadable"), bytes);
    EXPECT_EQ(readBook(file).sites.at(0).name, "Depot");
    EXPECT_FALSE(keeper.keepingUnreadable());
  }
}

TEST_F(BookKeeperTest, AnOlderKeptFileIsNotOverwrittenByTheNextOne) {
  writeFile(path() + ".unreadable", "kept last week");
  writeFile(path(), "kept today");
  keeper_.load(path(), &book_);
  book_ = bookWithSite("Depot");
  EXPECT_EQ(keeper_.saveChange(&book_, {}).movedAside, path() + ".unreadable.2");
  EXPECT_EQ(readFile(path() + ".unreadable"), "kept last week");
  EXPECT_EQ(readFile(path() + ".unreadable.2"), "kept today");
}

TEST_F(BookKeeperTest, AChangeByAnotherProgramIsReadOrOverwrittenAsTheUserAnswers) {
  writeElsewhere("Depot");
  keeper_.load(path(), &book_);
  book_.sites.at(0).signAddresses = "9";
  writeElsewhere("Theirs");
  EXPECT_TRUE(keeper_.changedElsewhere());

  Answer reload{ForeignChoice::kReloadTheirs};
  EXPECT_EQ(keeper_.saveChange(&book_, reload.question()).outcome, Outcome::kTheirsReloaded);
  EXPECT_EQ(reload.asked, 1);
  EXPECT_EQ(book_.sites.at(0).name, "Theirs");
  EXPECT_EQ(readBook(path()).sites.at(0).name, "Theirs");
  EXPECT_FALSE(keeper_.changedElsewhere());

  book_.sites.at(0).signAddresses = "9";
  writeElsewhere("Again");
  Answer keep{ForeignChoice::kKeepMine};
  EXPECT_EQ(keeper_.saveChange(&book_, keep.question()).outcome, Outcome::kSaved);
  EXPECT_EQ(keep.asked, 1);
  const addressbook::CAddressBook written = readBook(path());
  EXPECT_EQ(written.sites.at(0).name, "Theirs");
  EXPECT_EQ(written.sites.at(0).signAddresses, "9");
}

TEST_F(BookKeeperTest, BeforeAnEditAnotherProgramsChangeIsReadWhenNothingHereIsUnsaved) {
  writeElsewhere("Depot");
  keeper_.load(path(), &book_);
  EXPECT_EQ(keeper_.refresh(&book_).outcome, Outcome::kUnchanged);
  writeElsewhere("Theirs");
  EXPECT_EQ(keeper_.refresh(&book_).outcome, Outcome::kTheirsReloaded);
  EXPECT_EQ(book_.sites.at(0).name, "Theirs");

  // Something unsaved here (a write that failed) is not thrown away unasked.
  book_.sites.at(0).name = "Mine";
  writeElsewhere("Later");
  EXPECT_EQ(keeper_.refresh(&book_).outcome, Outcome::kUnchanged);
  EXPECT_EQ(book_.sites.at(0).name, "Mine");

  // A file removed elsewhere reads as an empty book.
  ASSERT_EQ(::unlink(path().c_str()), 0);
  EXPECT_EQ(keeper_.reload(&book_).outcome, Outcome::kTheirsReloaded);
  EXPECT_TRUE(book_.sites.empty());
}

TEST_F(BookKeeperTest, AtExitAnotherProgramsChangeIsKeptUnlessTheUserKeepsOwnChanges) {
  writeElsewhere("Depot");
  keeper_.load(path(), &book_);
  writeElsewhere("Theirs");
  Answer never{ForeignChoice::kKeepMine};
  // Nothing new here: their file stays without a question.
  EXPECT_EQ(keeper_.saveAtExit(&book_, never.question()).outcome, Outcome::kTheirsKept);
  EXPECT_EQ(never.asked, 0);
  EXPECT_EQ(readBook(path()).sites.at(0).name, "Theirs");
  EXPECT_TRUE(book_.sites.empty());

  // Own changes with no one to ask (a signal): theirs stays; with the user's answer: it decides.
  keeper_.load(path(), &book_);
  book_.sites.at(0).name = "Mine";
  writeElsewhere("Third");
  EXPECT_EQ(keeper_.saveAtExit(&book_, {}).outcome, Outcome::kTheirsKept);
  EXPECT_EQ(readBook(path()).sites.at(0).name, "Third");

  keeper_.load(path(), &book_);
  book_.sites.at(0).name = "Mine";
  writeElsewhere("Fourth");
  Answer keep{ForeignChoice::kKeepMine};
  EXPECT_EQ(keeper_.saveAtExit(&book_, keep.question()).outcome, Outcome::kSaved);
  EXPECT_EQ(keep.asked, 1);
  EXPECT_EQ(readBook(path()).sites.at(0).name, "Mine");
}

TEST_F(BookKeeperTest, AtExitAMissingFileIsCreatedAndAnOlderVersionRewritten) {
  EXPECT_FALSE(keeper_.load(path(), &book_).ok());
  EXPECT_FALSE(keeper_.keepingUnreadable());
  EXPECT_EQ(keeper_.saveAtExit(&book_, {}).outcome, Outcome::kSaved);
  EXPECT_TRUE(readBook(path()).sites.empty());

  // The file already holds the book: nothing is written.
  keeper_.load(path(), &book_);
  struct stat before {};
  ::stat(path().c_str(), &before);
  EXPECT_EQ(keeper_.saveAtExit(&book_, {}).outcome, Outcome::kUnchanged);
  struct stat after {};
  ::stat(path().c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);

  // A version 34 file is written again as version 35.
  std::string v34 = addressbook::serializeSiteManageFile(bookWithSite("Depot"));
  v34[24] = 34;
  writeFile(path(), v34);
  ASSERT_TRUE(keeper_.load(path(), &book_).ok());
  EXPECT_EQ(keeper_.saveAtExit(&book_, {}).outcome, Outcome::kSaved);
  EXPECT_EQ(readFile(path())[24], 35);
}

}  // namespace
