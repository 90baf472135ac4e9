#pragma once

#include <string>

#include "platform/IniWriter.h"

namespace quorvane {

// The platform's own profile writer (WritePrivateProfileStringW). The file is in the ANSI code
// page, so text that the code page cannot hold exactly is refused rather than written with "?".
class IniWriterWin32 final : public IniWriter {
public:
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override;
    bool canStore(const std::string& text) const override;

private:
    static void removeRepeats(const std::wstring& section, const std::wstring& key, const std::wstring& wideFile,
                              const std::string& file);
};

}  // namespace quorvane
