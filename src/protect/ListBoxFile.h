#pragma once

#include <QString>
#include <string>

class QListWidget;
class QListWidgetItem;

namespace quorvane {

class FileSystem;
class UserMessages;

// The list box forms of SaveListToFile and LoadListFromFile (see protect/ListFile.h). An item
// loaded from a file keeps the line's own bytes (platform/PathText.h), so that a line that is no
// UTF-8 is still written back and acted on unchanged.

// The line an item stands for.
std::string ItemPath(const QListWidgetItem* item);

// Rewrites `filePath` from the items of `list`, in list order; false when the old file was kept.
bool SaveListToFile(FileSystem& fs, const QListWidget* list, const QString& filePath);

// Appends every line of `filePath` as an item at the end of `list`.
void LoadListFromFile(FileSystem& fs, UserMessages& messages, QListWidget* list, const QString& filePath);

}  // namespace quorvane
