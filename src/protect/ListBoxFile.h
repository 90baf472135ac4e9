#pragma once

#include <string>

namespace quorvane {

class FileSystem;
class ListBoxView;
class RegisterLines;
class UserMessages;

// The list box forms of SaveListToFile and LoadListFromFile (see protect/ListFile.h). An item
// stands for the exact line it was loaded from, so that a line the window cannot show exactly is
// still written back and acted on unchanged.

// Rewrites `filePath` from the items of `list`, in list order; false when the old file was kept.
bool SaveListToFile(FileSystem& fs, const ListBoxView& list, const std::string& filePath);

// Appends every line of `filePath` as an item at the end of `list`. The file is read once, a block
// at a time, into one block of bytes with an index of its lines (ReadLines); pending window events
// are processed after each block read, so the windows stay live while a long register loads. A file
// that cannot be opened gives nothing; a read failure ends the load with the lines read whole.
void LoadListFromFile(FileSystem& fs, UserMessages& messages, ListBoxView& list, const std::string& filePath);

// The lines of `filePath` as LoadListFromFile reads them, decoded as the file system's text files.
RegisterLines ReadLines(FileSystem& fs, UserMessages& messages, const std::string& filePath);

}  // namespace quorvane
