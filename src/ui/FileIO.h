// Whole-file reading and writing. Every file is written to a temporary file beside the
// target and then renamed over it, so a failed write never leaves a half-written file in
// place of a good one.
#pragma once

#include <string>

namespace ui {

// Writes bytes to path as they are. Throws ui::Exception naming the file and the reason;
// the old file (if any) is then left as it was.
void WriteFileAtomic(const std::string& path, const std::string& bytes);

// Reads the whole file. Throws ui::Exception "Cannot open file "<path>". <reason>" when it
// cannot be opened (with the full path), or a read error naming the file.
std::string ReadFileBytes(const std::string& path);

// Test seam: when >= 0, the next atomic write fails after writing this many bytes, as a full
// disk would. Reset to -1 by that write.
extern long long g_failNextWriteAfter;

}  // namespace ui
