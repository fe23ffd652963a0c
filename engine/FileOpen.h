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

}  // namespace Engine
