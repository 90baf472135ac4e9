#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane {

class FileSystem;
class UserMessages;

// The list box <-> text file routines, over plain items (the GUI wraps them for its list boxes).
// Both use file slot 1 and leave it closed; neither shows a message.

// Makes `filePath` hold `items` in order, one line each with CR LF, and nothing else, replaced in
// one atomic step (FileSystem::writeFile): on any failure, or an item the file's encoding cannot
// hold, the old file stays as it was (or absent) and the result is false. An empty list gives a
// 0-byte file.
bool SaveListToFile(FileSystem& fs, const std::vector<std::string>& items, const std::string& filePath);

// Hands every line of `filePath` to `addItem`, in file order, processing pending window events
// between reading a line and handing it on. A line ends at CR LF or a lone CR (a lone LF belongs
// to the line); a last line without line end counts; empty lines give empty items. A file that
// cannot be opened gives nothing; a read failure ends the load with what was read.
void LoadListFromFile(FileSystem& fs, UserMessages& messages, const std::string& filePath,
                      const std::function<void(std::string&& line)>& addItem);

}  // namespace quorvane
