// A service's messages: errors in the Windows event log's Application log. The text is the one
// insert of message 1 of the executable's message table ("%1", res/messages.rc), so that Event
// Viewer shows it as it stands.
#pragma once
#include "base/Text.h"

namespace tarn {

// Also makes sure the source's key names this executable as its message file, where the account
// may write it.
void WriteErrorEvent(const WString& source, const WString& text);

}  // namespace tarn
