#include "addressbook/site_manage_file.h"

#include <cstddef>
#include <vector>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "platform/byte_reader.h"
#include "platform/cp1252.h"

namespace addressbook {
namespace {

using platform::ByteReader;
using platform::ByteWriter;

// Smallest number of bytes each record can take in the file (every string empty). A count is
// refused when that many records could not fit in the bytes that remain, before any allocation.
constexpr size_t kStringPrefixSize = 4;
constexpr size_t kInt32Size = 4;
constexpr size_t kMinDeviceSize = 3 * kStringPrefixSize + 7 * kInt32Size;
constexpr size_t kMinSiteSize = 5 * kStringPrefixSize;
constexpr size_t kMinGroupSize = kStringPrefixSize + kInt32Size;
constexpr size_t kMinSiteNameSize = kStringPrefixSize;
constexpr size_t kMinNamedAddressSize = 2 * kStringPrefixSize;
constexpr size_t kMinMailServerSizeBeforePop3 = 1 + kInt32Size + 5 * kStringPrefixSize;
constexpr size_t kMinPop3PartSize = kInt32Size + 1 + 3 * kStringPrefixSize;

// Reads a record count and checks that `count` records of at least `minRecordSize` bytes fit.
bool readCount(ByteReader& r, size_t minRecordSize, size_t* count) {
  int32_t n = 0;
  if (!r.readI32(&n) || n < 0) return false;
  if (static_cast<size_t>(n) > r.remaining() / minRecordSize) return false;
  *count = static_cast<size_t>(n);
  return true;
}

bool readString(ByteReader& r, std::string* s) {
  return r.readLengthPrefixed(s);
}

bool readDevice(ByteReader& r, CDevice* d) {
  int32_t type = 0;
  if (!readString(r, &d->name) || !readString(r, &d->modemName) ||
      !readString(r, &d->mailServerName) || !r.readI32(&type) || !r.readI32(&d->ipPort) ||
      !r.readI32(&d->comPort) || !r.readI32(&d->baudRate) || !r.readI32(&d->modemKind) ||
      !r.readI32(&d->dialTimeout) || !r.readI32(&d->tcpTimeout)) {
    return false;
  }
  d->type = static_cast<DeviceType>(type);
  return true;
}

bool readSite(ByteReader& r, CSite* s) {
  return readString(r, &s->name) && readString(r, &s->deviceName) &&
         readString(r, &s->signAddresses) && readString(r, &s->phoneNumber) &&
         readString(r, &s->networkTarget);
}

bool readGroup(ByteReader& r, CSiteGroup* g) {
  size_t count = 0;
  if (!readString(r, &g->name) || !readCount(r, kMinSiteNameSize, &count)) return false;
  g->siteNames.resize(count);
  for (std::string& siteName : g->siteNames) {
    if (!readString(r, &siteName)) return false;
  }
  return true;
}

bool readNamedAddress(ByteReader& r, CNamedAddress* a) {
  return readString(r, &a->name) && readString(r, &a->address);
}

bool readMailServer(ByteReader& r, int32_t version, CMailServer* m) {
  if (!r.readU8(&m->needsAuth) || !r.readI32(&m->smtpPort) || !readString(r, &m->smtpServer) ||
      !readString(r, &m->mailAddress) || !readString(r, &m->name) || !readString(r, &m->account) ||
      !readString(r, &m->password)) {
    return false;
  }
  if (version < kFirstVersionWithPop3) return true;  // keeps the POP3 defaults
  return r.readI32(&m->pop3Port) && r.readU8(&m->usePop3Credentials) &&
         readString(r, &m->pop3Server) && readString(r, &m->pop3Account) &&
         readString(r, &m->pop3Password);
}

// Reads a count and that many records, each starting from the record's defaults.
template <typename Record, typename ReadFn>
bool readList(ByteReader& r, size_t minRecordSize, std::vector<Record>* list, ReadFn readOne) {
  size_t count = 0;
  if (!readCount(r, minRecordSize, &count)) return false;
  list->reserve(count);
  for (size_t i = 0; i < count; ++i) {
    Record record;
    if (!readOne(r, &record)) return false;
    list->push_back(std::move(record));
  }
  return true;
}

void writeDevice(ByteWriter& w, const CDevice& d) {
  w.lengthPrefixed(d.name);
  w.lengthPrefixed(d.modemName);
  w.lengthPrefixed(d.mailServerName);
  w.i32(static_cast<int32_t>(d.type));
  w.i32(d.ipPort);
  w.i32(d.comPort);
  w.i32(d.baudRate);
  w.i32(d.modemKind);
  w.i32(d.dialTimeout);
  w.i32(d.tcpTimeout);
}

void writeSite(ByteWriter& w, const CSite& s) {
  w.lengthPrefixed(s.name);
  w.lengthPrefixed(s.deviceName);
  w.lengthPrefixed(s.signAddresses);
  w.lengthPrefixed(s.phoneNumber);
  w.lengthPrefixed(s.networkTarget);
}

void writeGroup(ByteWriter& w, const CSiteGroup& g) {
  w.lengthPrefixed(g.name);
  w.i32(static_cast<int32_t>(g.siteNames.size()));
  for (const std::string& siteName : g.siteNames)
    w.lengthPrefixed(siteName);
}

void writeNamedAddress(ByteWriter& w, const CNamedAddress& a) {
  w.lengthPrefixed(a.name);
  w.lengthPrefixed(a.address);
}

void writeMailServer(ByteWriter& w, const CMailServer& m) {
  w.u8(m.needsAuth);
  w.i32(m.smtpPort);
  w.lengthPrefixed(m.smtpServer);
  w.lengthPrefixed(m.mailAddress);
  w.lengthPrefixed(m.name);
  w.lengthPrefixed(m.account);
  w.lengthPrefixed(m.password);
  w.i32(m.pop3Port);
  w.u8(m.usePop3Credentials);
  w.lengthPrefixed(m.pop3Server);
  w.lengthPrefixed(m.pop3Account);
  w.lengthPrefixed(m.pop3Password);
}

template <typename Record, typename WriteFn>
void writeList(ByteWriter& w, const std::vector<Record>& list, WriteFn writeOne) {
  w.i32(static_cast<int32_t>(list.size()));
  for (const Record& record : list)
    writeOne(w, record);
}

}  // namespace

platform::Status parseSiteManageFile(std::string_view bytes, const std::string& path,
                                     CAddressBook* book, int32_t* version) {
  const std::string notSiteFile =
      i18n::formatText(i18n::text(i18n::IDS_NOT_SITE_FILE), {platform::utf8ToCp1252Lossy(path)});
  ByteReader r(bytes);
  int32_t headerLength = 0;
  std::string_view header;
  if (!r.readI32(&headerLength) || headerLength != static_cast<int32_t>(kSiteManageHeader.size()) ||
      !r.readView(kSiteManageHeader.size(), &header) || header != kSiteManageHeader) {
    return platform::Status::notOurFile(notSiteFile);
  }
  int32_t v = 0;
  if (!r.readI32(&v)) return platform::Status::notOurFile(notSiteFile);
  if (version) *version = v;
  if (v >= kFirstUnreadableVersion) {
    return platform::Status::tooNew(i18n::formatText(i18n::text(i18n::IDS_SITE_FILE_TOO_NEW),
                                                     {platform::utf8ToCp1252Lossy(path)}));
  }

  const size_t minMailServerSize =
      kMinMailServerSizeBeforePop3 + (v >= kFirstVersionWithPop3 ? kMinPop3PartSize : 0);
  // Each step leaves the reader where the next part begins; on failure `from` is where the part
  // that broke began.
  size_t from = r.offset();
  const auto step = [&](bool ok) {
    if (ok) from = r.offset();
    return ok;
  };
  const bool ok = step(readList(r, kMinDeviceSize, &book->devices, readDevice)) &&
                  step(readList(r, kMinSiteSize, &book->sites, readSite)) &&
                  step(readList(r, kMinGroupSize, &book->groups, readGroup)) &&
                  step(readList(r, kMinNamedAddressSize, &book->tcpIpGroups, readNamedAddress)) &&
                  step(readList(r, kMinNamedAddressSize, &book->mailboxes, readNamedAddress)) &&
                  step(readList(r, minMailServerSize, &book->mailServers,
                                [v](ByteReader& reader, CMailServer* m) {
                                  return readMailServer(reader, v, m);
                                })) &&
                  step(readString(r, &book->defaultDevice));
  if (!ok) {
    return platform::Status::damaged(
        notSiteFile, "damaged in the part starting at byte " + std::to_string(from));
  }
  return platform::Status::success();
}

std::string serializeSiteManageFile(const CAddressBook& book) {
  std::string out;
  ByteWriter w(&out);
  w.i32(static_cast<int32_t>(kSiteManageHeader.size()));
  w.bytes(kSiteManageHeader);
  w.i32(kSiteManageVersion);
  writeList(w, book.devices, writeDevice);
  writeList(w, book.sites, writeSite);
  writeList(w, book.groups, writeGroup);
  writeList(w, book.tcpIpGroups, writeNamedAddress);
  writeList(w, book.mailboxes, writeNamedAddress);
  writeList(w, book.mailServers, writeMailServer);
  w.lengthPrefixed(book.defaultDevice);
  return out;
}

}  // namespace addressbook
