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

// Sane sizes of an address book, far above what anyone keeps with the dialogs: the records of one
// list, and the site names of all groups together (a group may still name sites that were
// removed, so the number of sites does not bound it). They keep the memory a hostile file can claim
// small; a larger file is refused as damaged.
constexpr size_t kMaxRecordsPerList = 32768;
constexpr size_t kMaxGroupMembers = 262144;

// Reads a record count and checks that `count` records of at least `minRecordSize` bytes fit and
// that there are at most `maxCount`.
bool readCount(ByteReader& r, size_t minRecordSize, size_t* count,
               size_t maxCount = kMaxRecordsPerList) {
  int32_t n = 0;
  if (!r.readI32(&n) || n < 0 || static_cast<size_t>(n) > maxCount) return false;
  if (static_cast<size_t>(n) > r.remaining() / minRecordSize) return false;
  *count = static_cast<size_t>(n);
  return true;
}

// Reads a record's fields in file order. After the first field that does not read, the rest are
// skipped and ok() stays false.
class FieldReader {
 public:
  // `membersLeft`: how many more group members the book may hold.
  FieldReader(ByteReader& r, size_t* membersLeft) : r_(r), membersLeft_(membersLeft) {}

  template <typename... Strings>
  void strings(Strings&... s) {
    ((ok_ = ok_ && r_.readLengthPrefixed(&s)), ...);
  }
  template <typename... Ints>
  void ints(Ints&... v) {
    ((ok_ = ok_ && r_.readI32(&v)), ...);
  }
  void byte(uint8_t& v) { ok_ = ok_ && r_.readU8(&v); }
  void deviceType(DeviceType& type) {
    int32_t v = 0;
    ints(v);
    if (ok_) type = static_cast<DeviceType>(v);
  }
  void stringList(std::vector<std::string>& list) {
    size_t count = 0;
    ok_ = ok_ && readCount(r_, kMinSiteNameSize, &count, *membersLeft_);
    if (!ok_) return;
    *membersLeft_ -= count;
    list.resize(count);
    for (std::string& s : list)
      strings(s);
  }
  bool ok() const { return ok_; }

 private:
  ByteReader& r_;
  size_t* membersLeft_;
  bool ok_ = true;
};

// Writes a record's fields in file order.
class FieldWriter {
 public:
  explicit FieldWriter(ByteWriter& w) : w_(w) {}

  template <typename... Strings>
  void strings(const Strings&... s) {
    (w_.lengthPrefixed(s), ...);
  }
  template <typename... Ints>
  void ints(const Ints&... v) {
    (w_.i32(v), ...);
  }
  void byte(uint8_t v) { w_.u8(v); }
  void deviceType(DeviceType type) { w_.i32(static_cast<int32_t>(type)); }
  void stringList(const std::vector<std::string>& list) {
    w_.i32(static_cast<int32_t>(list.size()));
    for (const std::string& s : list)
      strings(s);
  }

 private:
  ByteWriter& w_;
};

// Each record's fields, once, for the reader and the writer alike.

void deviceFields(auto& io, auto& d) {
  io.strings(d.name, d.modemName, d.mailServerName);
  io.deviceType(d.type);
  io.ints(d.ipPort, d.comPort, d.baudRate, d.modemKind, d.dialTimeout, d.tcpTimeout);
}

void siteFields(auto& io, auto& s) {
  io.strings(s.name, s.deviceName, s.signAddresses, s.phoneNumber, s.networkTarget);
}

void groupFields(auto& io, auto& g) {
  io.strings(g.name);
  io.stringList(g.siteNames);
}

void namedAddressFields(auto& io, auto& a) {
  io.strings(a.name, a.address);
}

void mailServerFields(auto& io, auto& m, int32_t version) {
  io.byte(m.needsAuth);
  io.ints(m.smtpPort);
  io.strings(m.smtpServer, m.mailAddress, m.name, m.account, m.password);
  if (version < kFirstVersionWithPop3) return;  // older files keep the POP3 defaults
  io.ints(m.pop3Port);
  io.byte(m.usePop3Credentials);
  io.strings(m.pop3Server, m.pop3Account, m.pop3Password);
}

// Reads a count and that many records, each starting from the record's defaults.
template <typename Record, typename Fields>
bool readList(ByteReader& r, size_t minRecordSize, std::vector<Record>* list, Fields fields) {
  size_t count = 0;
  if (!readCount(r, minRecordSize, &count)) return false;
  list->reserve(count);
  size_t membersLeft = kMaxGroupMembers;
  for (size_t i = 0; i < count; ++i) {
    Record record;
    FieldReader io(r, &membersLeft);
    fields(io, record);
    if (!io.ok()) return false;
    list->push_back(std::move(record));
  }
  return true;
}

template <typename Record, typename Fields>
void writeList(ByteWriter& w, const std::vector<Record>& list, Fields fields) {
  w.i32(static_cast<int32_t>(list.size()));
  FieldWriter io(w);
  for (const Record& record : list)
    fields(io, record);
}

// The field lists as arguments of readList and writeList.
constexpr auto kDevice = [](auto& io, auto& d) { deviceFields(io, d); };
constexpr auto kSite = [](auto& io, auto& s) { siteFields(io, s); };
constexpr auto kGroup = [](auto& io, auto& g) { groupFields(io, g); };
constexpr auto kNamedAddress = [](auto& io, auto& a) { namedAddressFields(io, a); };

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
  const bool ok = step(readList(r, kMinDeviceSize, &book->devices, kDevice)) &&
                  step(readList(r, kMinSiteSize, &book->sites, kSite)) &&
                  step(readList(r, kMinGroupSize, &book->groups, kGroup)) &&
                  step(readList(r, kMinNamedAddressSize, &book->tcpIpGroups, kNamedAddress)) &&
                  step(readList(r, kMinNamedAddressSize, &book->mailboxes, kNamedAddress)) &&
                  step(readList(r, minMailServerSize, &book->mailServers,
                                [v](auto& io, auto& m) { mailServerFields(io, m, v); })) &&
                  step(r.readLengthPrefixed(&book->defaultDevice));
  if (!ok) {
    return platform::Status::damaged(
        notSiteFile, "damaged, or larger than an address book can be (" +
                         std::to_string(kMaxRecordsPerList) + " records a list, " +
                         std::to_string(kMaxGroupMembers) +
                         " group members), in the part starting at byte " + std::to_string(from));
  }
  return platform::Status::success();
}

std::string serializeSiteManageFile(const CAddressBook& book) {
  std::string out;
  ByteWriter w(&out);
  w.i32(static_cast<int32_t>(kSiteManageHeader.size()));
  w.bytes(kSiteManageHeader);
  w.i32(kSiteManageVersion);
  writeList(w, book.devices, kDevice);
  writeList(w, book.sites, kSite);
  writeList(w, book.groups, kGroup);
  writeList(w, book.tcpIpGroups, kNamedAddress);
  writeList(w, book.mailboxes, kNamedAddress);
  writeList(w, book.mailServers,
            [](auto& io, auto& m) { mailServerFields(io, m, kSiteManageVersion); });
  w.lengthPrefixed(book.defaultDevice);
  return out;
}

}  // namespace addressbook
