#pragma once
#include <string>

namespace Platform {

// The title with the characters \ / : * ? " < > | removed ("Quindle: Marvolant" gives
// "Quindle Marvolant"), usable as a file or folder name.
std::string CleanTitle(const std::string& title);

// The user's save folder for the game: $QUINDLE_SAVE_DIR when set, else
// $XDG_DATA_HOME/<folderName>, else $HOME/.local/share/<folderName>; created (with its parents, only
// the user may enter them) when missing. Empty, with the reason in error, when it can't be found or
// made, or when the folder $QUINDLE_SAVE_DIR names belongs to another user or others may write in it
// (refused is then set).
std::string SaveFolder(const std::string& folderName, std::string& error, bool* refused = nullptr);

// Puts a fully written file in place of another: flushes it to the disk, renames it over the target
// (atomic within one folder) and flushes the folder entry. On failure the target is left as it was
// and error says why; the temporary file is then the caller's to remove.
bool ReplaceFile(const std::string& temporary, const std::string& target, std::string& error);

// Moves a file out of the way to a free name beside it, never over another file: path + suffix, else
// path + suffix + ".2", ".3", ... up to ".99". The file keeps every byte; the name it got is put in
// kept (empty when there was no file). False, with the reason in error, when it could not be moved
// (nothing is then changed).
bool SetAside(const std::string& path, const std::string& suffix, std::string& kept, std::string& error);

}  // namespace Platform
