#include "protect/Register.h"

#include <cstdint>
#include <string_view>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "protect/RegisterLines.h"

namespace quorvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// True when the register's last line lacks its line end (CR LF or a lone CR); a lone LF is part
// of the line. An empty register has no last line.
bool lacksLineEnd(std::string_view bytes) {
    if (bytes.empty() || bytes.back() == '\r') return false;
    return !(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == kLineEnd);
}

// The folder's attributes might include hidden: it is, or it cannot be told.
bool mayBeHidden(FileSystem& fs, const std::string& folderPath) {
    try {
        return (fs.attributes(folderPath) & attr::Hidden) != 0;
    } catch (const PlatformError&) {
        return true;
    }
}

}  // namespace

std::optional<std::string> registerWithoutLine(std::string_view bytes, std::string_view wanted, std::size_t row) {
    std::optional<LineSpan> chosen;
    std::size_t chosenDistance = 0;
    std::size_t index = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++index) {
        LineSpan line{pos, bytes.find('\r', pos), 0};
        if (line.textEnd == std::string_view::npos) {
            line.textEnd = line.end = bytes.size();
        } else {
            const bool crLf = line.textEnd + 1 < bytes.size() && bytes[line.textEnd + 1] == '\n';
            line.end = line.textEnd + (crLf ? 2 : 1);
        }
        pos = line.end;
        if (chosen && index > row && index - row > chosenDistance) break;  // no nearer line can follow
        if (bytes.substr(line.begin, line.textEnd - line.begin) != wanted) continue;
        const std::size_t distance = index > row ? index - row : row - index;
        if (!chosen || distance < chosenDistance) {
            chosen = line;
            chosenDistance = distance;
        }
        if (index >= row) break;
    }
    if (!chosen) return std::nullopt;
    const auto [first, second] = cutForRemoval(bytes, *chosen);
    std::string result;
    result.reserve(bytes.size() - (second - first));
    result.append(bytes.substr(0, first));
    result.append(bytes.substr(second));
    return result;
}

void checkRegisterEntry(const std::string& entry) {
    if (entry.find_first_of("\r\n") != std::string::npos)
        throw PlatformError(errc::InvalidPathText, describeError(errc::InvalidPathText) +
                                                       " (a line break cannot be kept in the register): " + entry);
}

RegisterAppend appendToRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry) {
    checkRegisterEntry(entry);
    RegisterAppend append;
    append.line = fs.textFileBytes(entry);
    const std::string& line = append.line;
    append.before = fs.readFile(registerPath);
    const std::string_view before = append.before ? std::string_view(*append.before) : std::string_view();
    append.after.reserve(before.size() + 2 * kLineEnd.size() + line.size());
    append.after.append(before);
    if (lacksLineEnd(before)) append.after.append(kLineEnd);
    append.after.append(line);
    append.after.append(kLineEnd);
    fs.writeFile(registerPath, append.after);
    return append;
}

void appendAllToRegister(FileSystem& fs, const std::string& registerPath, const std::vector<std::string>& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const std::string& entry : entries) {
        checkRegisterEntry(entry);
        lines.push_back(fs.textFileBytes(entry));
    }
    std::string after = fs.readFile(registerPath).value_or(std::string());
    if (lacksLineEnd(after)) after.append(kLineEnd);
    for (const std::string& line : lines) {
        after.append(line);
        after.append(kLineEnd);
    }
    fs.writeFile(registerPath, after);
}

void undoAppend(FileSystem& fs, const std::string& registerPath, const RegisterAppend& append) {
    const std::optional<std::string> now = fs.readFile(registerPath);
    if (!now) return;  // removed meanwhile: nothing of the append is left
    if (*now == append.after) {
        if (append.before)
            fs.writeFile(registerPath, *append.before);
        else
            fs.deleteFile(registerPath);
        return;
    }
    // Changed meanwhile (another copy of the program hid a folder): only the appended line goes,
    // the last line that holds it.
    if (auto shorter = registerWithoutLine(*now, append.line, static_cast<std::size_t>(-1)))
        fs.writeFile(registerPath, *shorter);
}

bool removeFromRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry, std::size_t row) {
    try {
        const std::string wanted = fs.textFileBytes(entry);
        const std::optional<std::string> bytes = fs.readFile(registerPath);
        if (!bytes) return false;
        const std::optional<std::string> shorter = registerWithoutLine(*bytes, wanted, row);
        if (!shorter) return false;
        fs.writeFile(registerPath, *shorter);
        return true;
    } catch (const PlatformError&) {
        // Skipped like any failing rewrite of the list: the register stays as it was.
        return false;
    }
}

bool registerHolds(FileSystem& fs, const std::string& registerPath, std::string_view bytes) {
    try {
        std::size_t pos = 0;
        bool same = true;
        const bool found = fs.readFileInBlocks(registerPath, [&](std::string_view block) {
            same = same && block.size() <= bytes.size() - pos && bytes.substr(pos, block.size()) == block;
            pos += block.size();
        });
        return found && same && pos == bytes.size();
    } catch (const PlatformError&) {
        return false;
    }
}

bool rewriteRegister(FileSystem& fs, const std::string& registerPath, const std::string& bytes) {
    try {
        fs.writeFile(registerPath, bytes);
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

void hideAndRecord(FileSystem& fs, const std::string& folderPath, const std::string& registerPath) {
    checkRegisterEntry(folderPath);
    fs.attributes(folderPath);  // an empty or missing path fails here, before anything changes
    const RegisterAppend append = appendToRegister(fs, registerPath, folderPath);
    try {
        fs.setAttributes(folderPath, attr::Hidden | attr::System);
    } catch (const PlatformError& error) {
        // Never a hidden folder without its entry: the entry goes only when the folder is visible.
        if (mayBeHidden(fs, folderPath))
            throw PlatformError(error.number(), error.description() +
                                                    "\r\nThe folder may be hidden; its entry stays in " + registerPath +
                                                    ": " + folderPath);
        try {
            undoAppend(fs, registerPath, append);
        } catch (const PlatformError&) {
            throw PlatformError(error.number(), error.description() +
                                                    "\r\nThe folder is not hidden, but its entry stays in " +
                                                    registerPath + ": " + folderPath);
        }
        throw;
    }
}

}  // namespace quorvane
