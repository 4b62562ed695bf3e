#pragma once

#include <set>

#include "workspace/message_model.h"

namespace workspace {

// The index numbers of the user-defined images that the messages of `ws` show: the codes of every
// user-defined bitmap element, in any message.
std::set<int> userBitmapsInUse(const Workspace& ws);

// True when a user-defined bitmap element of any message names image `indexNumber`; such an image
// must stay in the Image Transfer File, or the text would lose its picture on the sign.
bool userBitmapInUse(const Workspace& ws, int indexNumber);

}  // namespace workspace
