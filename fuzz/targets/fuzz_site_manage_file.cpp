// The site manage file (the address book). A book that loads is written again and read back: the
// second reading must give the same bytes.

#include <cstdlib>
#include <string>

#include "addressbook/site_manage_file.h"
#include "fuzz/support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  addressbook::CAddressBook book;
  if (!addressbook::parseSiteManageFile(fuzzing::inputView(data, size), "S.dat", &book).ok())
    return 0;
  const std::string saved = addressbook::serializeSiteManageFile(book);
  addressbook::CAddressBook again;
  if (!addressbook::parseSiteManageFile(saved, "S.dat", &again).ok() ||
      addressbook::serializeSiteManageFile(again) != saved) {
    std::abort();
  }
  return 0;
}
