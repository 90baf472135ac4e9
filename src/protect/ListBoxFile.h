#pragma once

#include <string>

namespace quorvane {

class FileSystem;
class ListBoxView;
class UserMessages;

// The list box forms of SaveListToFile and LoadListFromFile (see protect/ListFile.h). An item
// stands for the exact line it was loaded from, so that a line the window cannot show exactly is
// still written back and acted on unchanged.

// Rewrites `filePath` from the items of `list`, in list order; false when the old file was kept.
bool SaveListToFile(FileSystem& fs, const ListBoxView& list, const std::string& filePath);

// Appends every line of `filePath` as an item at the end of `list`.
void LoadListFromFile(FileSystem& fs, UserMessages& messages, ListBoxView& list, const std::string& filePath);

}  // namespace quorvane
