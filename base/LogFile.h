// The discovery log file: when the environment variable TARN_LAUNCHER_LOG names a file, lines are
// appended to it for a vendor's support staff. Without the variable nothing is done; a log that
// cannot be written is skipped and never stops the launch.
#pragma once
#include "base/Text.h"

namespace tarn {

bool LogEnabled();
// Appends whole lines in UTF-8 with CR LF; each call opens and closes the file, so System.exit loses nothing.
void AppendLogLines(const WStringList& lines);

}  // namespace tarn
