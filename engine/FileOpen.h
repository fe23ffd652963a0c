#pragma once
#include <cstdio>
#include <string>

namespace Engine {

// Opens a file to be written from its start, never through a link: a symbolic link, a plain file with
// another name (a hard link), a file of someone else or anything but a plain file in its place is
// removed and a new file made, as fopen "wb" makes it. Whatever the name led to is left as it was.
// Null, with errno set, when the file can't be opened.
std::FILE* OpenForWriting(const std::string& path);

// Whether an open file is a plain file of the user's with no other name: only such a file is written
// or locked in place; anything else standing at its name is put aside.
bool IsOwnSingleFile(int fd);

// Opens a file to be read, never blocking on what stands at its name: only a plain file is opened
// (O_NONBLOCK keeps a pipe or a device from stopping the open itself). Null when it can't be opened,
// with errno set: EINVAL when something other than a plain file is there (WhatIsAt says what).
std::FILE* OpenForReading(const std::string& path);

// What stands at a name, for a message: "a directory", "a FIFO", "a device", "a socket", "a symbolic
// link", "a file" or "nothing".
const char* WhatIsAt(const std::string& path);

}  // namespace Engine
