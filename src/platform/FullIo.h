#pragma once

// Reads and writes on a descriptor that carry on through short and interrupted transfers.

#include <cstddef>
#include <string_view>

namespace volmograph {

// Reads until `capacity` bytes or the end of the file: the count, or -1 with errno set.
long ReadFully(int fd, char* buffer, std::size_t capacity);

// Writes all of `bytes`; false with errno set when it cannot (EIO when a write makes no
// progress and gives no reason, rather than trying forever).
bool WriteFully(int fd, std::string_view bytes);

}  // namespace volmograph
