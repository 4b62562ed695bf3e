// The rules of "Send option...": what it lists, preselects and accepts.

#include "signlink/send_option.h"

#include <gtest/gtest.h>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

using namespace signlink;

namespace {

addressbook::CAddressBook bookWithTwoOfEach() {
  addressbook::CAddressBook book;
  book.sites.resize(2);
  book.sites[0].name = "Shop";
  book.sites[1].name = "Depot";
  book.groups = {{"North", {"Shop"}}, {"South", {"Depot"}}};
  return book;
}

}  // namespace

TEST(SendOption, PreselectsTheLastChoiceAndRefusesOkWithoutOne) {
  const addressbook::CAddressBook book = bookWithTwoOfEach();
  SendOptionMemory memory{false, "Depot", "Gone"};
  const SendOptionView groups = sendOptionView(book, memory, true);
  EXPECT_EQ(groups.names, (std::vector<std::string>{"North", "South"}));
  EXPECT_EQ(groups.selected, 0);  // the remembered group is gone: the first one
  EXPECT_EQ(sendOptionView(book, memory, false).selected, 1);
  EXPECT_EQ(sendOptionView(addressbook::CAddressBook(), memory, true).selected, -1);

  const platform::Result<SendChoice> refused = confirmSendOption(true, "", &memory);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.message(), i18n::text(i18n::IDS_SELECT_SITE_OR_GROUP));
  EXPECT_FALSE(memory.isGroup);
  ASSERT_TRUE(confirmSendOption(true, "South", &memory).ok());
  EXPECT_TRUE(memory.isGroup);
  EXPECT_EQ(memory.lastGroup, "South");
  EXPECT_EQ(memory.lastSite, "Depot");  // the other kind's name is kept
}
