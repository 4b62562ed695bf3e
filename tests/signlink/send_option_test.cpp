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

TEST(SendOption, ListsSitesOrGroupsInBookOrderWithTheLastChoiceSelected) {
  const addressbook::CAddressBook book = bookWithTwoOfEach();
  const SendOptionMemory memory{true, "Depot", "South"};
  const SendOptionView groups = sendOptionView(book, memory, true);
  EXPECT_EQ(groups.names, (std::vector<std::string>{"North", "South"}));
  EXPECT_EQ(groups.selected, 1);
  const SendOptionView sites = sendOptionView(book, memory, false);
  EXPECT_EQ(sites.names, (std::vector<std::string>{"Shop", "Depot"}));
  EXPECT_EQ(sites.selected, 1);
  // A remembered name that is gone selects the first entry; an empty list selects nothing.
  EXPECT_EQ(sendOptionView(book, {false, "Closed", ""}, false).selected, 0);
  EXPECT_EQ(sendOptionView(addressbook::CAddressBook(), memory, true).selected, -1);
  EXPECT_EQ(i18n::text(sendTargetCaptionId(true)), "Available Groups");
  EXPECT_EQ(i18n::text(sendTargetCaptionId(false)), "Available Sites");
}

TEST(SendOption, OkWithoutAChoiceIsRefusedAndRemembersNothing) {
  SendOptionMemory memory{false, "Shop", "North"};
  const platform::Result<SendChoice> refused = confirmSendOption(true, "", &memory);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.message(), i18n::text(i18n::IDS_SELECT_SITE_OR_GROUP));
  EXPECT_FALSE(memory.isGroup);

  const platform::Result<SendChoice> chosen = confirmSendOption(true, "South", &memory);
  ASSERT_TRUE(chosen.ok());
  EXPECT_TRUE(chosen->isGroup);
  EXPECT_EQ(chosen->name, "South");
  EXPECT_TRUE(memory.isGroup);
  EXPECT_EQ(memory.lastGroup, "South");
  EXPECT_EQ(memory.lastSite, "Shop");  // the other kind's name is kept
}
