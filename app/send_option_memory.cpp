#include "app/send_option_memory.h"

namespace app {
namespace {

constexpr int kLastWasGroup = 0;
constexpr int kLastWasSite = 1;

}  // namespace

signlink::SendOptionMemory sendOptionMemory(const SendInfo& info) {
  return {info.lastSiteInSendList == kLastWasGroup, info.lastSiteNameInSendList,
          info.lastGroupNameInSendList};
}

void rememberSendOption(const signlink::SendOptionMemory& memory, SendInfo* info) {
  info->lastSiteInSendList = memory.isGroup ? kLastWasGroup : kLastWasSite;
  info->lastSiteNameInSendList = memory.lastSite;
  info->lastGroupNameInSendList = memory.lastGroup;
}

}  // namespace app
