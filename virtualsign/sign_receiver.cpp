#include "virtualsign/sign_receiver.h"

#include <algorithm>

#include "signlink/sign_data_file.h"
#include "signlink/stream_units.h"

namespace virtualsign {
namespace {

constexpr int kCenturyBase = 2000;  // The set-time record carries the year modulo 100.

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang 14).
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace

long long secondsSince2000(int year, int month, int day, int hour, int minute, int second) {
  // Days from civil (proleptic Gregorian), counted from 2000-01-01.
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = static_cast<long long>(era) * 146097 + doe - 730425;
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

void SignReceiver::begin() {
  pending_.clear();
  pendingBase_ = 0;
  selected_ = true;
  resyncing_ = false;
  diagnostics_.clear();
  taken_ = 0;
  ignored_ = 0;
}

void SignReceiver::feed(std::string_view bytes) {
  pending_.append(bytes);
  decode(false);
}

void SignReceiver::finish() {
  decode(true);
  pendingBase_ += pending_.size();
  pending_.clear();
}

void SignReceiver::decode(bool final) {
  size_t pos = 0;
  while (pos < pending_.size()) {
    if (resyncing_) pos = findHeaderStart(pending_, pos);
    if (pos >= pending_.size()) break;
    const Piece piece = parsePiece(pending_, pos, pendingBase_, state_.width, final);
    if (piece.kind == Piece::Kind::kNeedMore) break;
    if (resyncing_ && piece.kind != Piece::Kind::kHeader) {
      ++pos;  // Not the header looked for; its faults are part of the damage already told.
      continue;
    }
    if (piece.kind == Piece::Kind::kProblem) {
      diagnostics_.push_back({piece.problem.offset, "expected " + piece.problem.expected +
                                                        ", found " + piece.problem.found});
      resyncing_ = true;
      ++pos;  // The next header may start anywhere after the faulty piece's first byte.
      continue;
    }
    resyncing_ = false;
    act(piece);
    pos = piece.end;
  }
  pending_.erase(0, pos);
  pendingBase_ += pos;
}

void SignReceiver::note(const std::string& text) {
  diagnostics_.push_back({pendingBase_ + pending_.size(), text});
}

bool SignReceiver::addressedHere(const AddressHeader& header) const {
  if (state_.address == 0) return true;
  return std::find(header.addresses.begin(), header.addresses.end(),
                   static_cast<uint8_t>(state_.address)) != header.addresses.end();
}

void SignReceiver::act(const Piece& piece) {
  switch (piece.kind) {
    case Piece::Kind::kHeader:
      selected_ = addressedHere(piece.header);
      break;
    case Piece::Kind::kRecord:
      if (selected_) {
        ++taken_;
        apply(piece.record, pendingBase_ + piece.end);
      } else {
        ++ignored_;
      }
      break;
    default:
      break;
  }
}

void SignReceiver::apply(const Record& record, size_t offset) {
  std::visit(Overloaded{
                 [&](const MessageRecord& r) { state_.messages[r.number] = r.items; },
                 [&](const TaskRecord& r) {
                   if (r.clearing) {
                     state_.clearMemory();
                   } else {
                     state_.tasks[static_cast<size_t>(r.task)] = r.schedule;
                   }
                 },
                 [&](const AlarmRecord& r) {
                   state_.alarmCount = r.count;
                   state_.alarmInterval = r.interval;
                 },
                 [&](const HourlyAlarmRecord& r) { state_.hourlyAlarm = r.on; },
                 [&](const PowerRecord& r) { (r.on ? state_.powerOn : state_.powerOff) = r.time; },
                 [&](const ClockRecord& r) {
                   ClockSetting c = r.clock;
                   const platform::LocalTime host = clock_.now();
                   c.offsetSeconds = secondsSince2000(kCenturyBase + c.year, c.month, c.day, c.hour,
                                                      c.minute, c.second) -
                                     secondsSince2000(host.year, host.month, host.day, host.hour,
                                                      host.minute, host.second);
                   state_.clock = c;
                 },
                 [&](const ImageRecord& r) {
                   state_.images[static_cast<size_t>(r.slot)] = r.image;
                   if (r.unknownPixels > 0) {
                     diagnostics_.push_back({offset, "image slot " + std::to_string(r.slot) + ": " +
                                                         std::to_string(r.unknownPixels) +
                                                         " pixels name no colour and stay dark"});
                   }
                 },
                 [&](const TestRecord&) { ++state_.testRuns; },
                 [&](const WidthRecord& r) { state_.width = r.width; },
             },
             record);
}

void receiveSignData(std::string_view fileOrStream, SignReceiver& receiver) {
  std::string_view stream = fileOrStream;
  if (fileOrStream.substr(0, signlink::kSignDataFileMagic.size()) == signlink::kSignDataFileMagic) {
    signlink::signDataFileStream(fileOrStream, &stream);
  }
  const signlink::StreamUnits units = signlink::readStream(stream);
  receiver.begin();
  for (const signlink::TransmissionUnit& unit : units.units)
    receiver.feed(unit.bytes);
  receiver.finish();
  if (!units.complete) {
    // Not a position in the received bytes: the block never reached the line.
    receiver.note("the block at stream offset " + std::to_string(units.damagedAt) +
                  " runs past the end of the data and was not sent");
  }
}

}  // namespace virtualsign
