#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder standing in for drive C: TESSARY_DRIVE_C, else $XDG_RUNTIME_DIR/tessary, else
// /tmp/tessary-<uid>. Created with mode 0700 when missing; raises EInOutError when it is a
// symlink, not a folder, or owned by someone else, since the temporary files there are trusted.
std::string DriveCFolder();

// The path on this system of one of the program's Windows file names: "c:\name" lies in
// DriveCFolder(), a name without a drive stays relative to the working directory. "/", "\" and
// ":" all separate folders. Names that are already absolute paths pass unchanged.
std::string LocalPath(std::string_view windowsName);

}  // namespace platform
