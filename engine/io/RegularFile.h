#pragma once
// Reads a whole file that the user named, within a size limit. Only regular
// files: a device never ends (/dev/zero), a FIFO can block for ever, and a
// directory has nothing to read.
#include <cstddef>
#include <string>

namespace ReEng {

enum class FileReadResult { Ok, Missing, NotRegular, TooLarge, Unreadable };

// On success text holds the file. Otherwise text is empty and error is one
// line naming the file (escaped) and what is wrong with it.
FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& error);

}  // namespace ReEng
