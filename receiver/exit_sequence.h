#pragma once

#include "platform/status.h"
#include "receiver/receive_cycle.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"

namespace receiver {

// Appended to Set.dat's name for the copy of a file that could not be read, kept before the
// file is written over.
inline constexpr char kUnreadableSettingsSuffix[] = ".unreadable";

// Whether the ending program may have changed the settings since it loaded them: the window's
// user can edit them; the headless poller never does.
enum class SettingsEdits { kPossible, kNone };

// The end of receiving, the same for the window and the headless poller: the receiver's queues
// are emptied (files not yet forwarded stay in Save), then the settings are written to Set.dat.
//
// A Set.dat that is there but did not load at start (`load` failed) may come from a newer release
// or be mendable by hand, so it is never lost: with SettingsEdits::kNone there is nothing new to
// keep and it is left as it is; with kPossible a copy is kept beside it (kUnreadableSettingsSuffix)
// before the settings are written. Returns the outcome of writing Set.dat (success when it was
// left alone).
platform::Status finishReceiving(Receiver* receiver, const ReceiverPaths& paths,
                                 const ReceiverSettings& settings, const platform::Status& load,
                                 SettingsEdits edits);

}  // namespace receiver
