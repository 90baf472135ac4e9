#pragma once

#include "platform/Error.h"
#include "platform/IniWriter.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

namespace quorvane {

// Stand-ins for services a platform does not offer: they fail the way the callers expect.
class UnavailableIniWriter final : public IniWriter {
public:
    void writeString(const std::string&, const std::string&, const std::optional<std::string>&,
                     const std::string& file) override {
        throw errorFor(errc::PathFileAccessError, file);
    }
};

class EmptyRegistry final : public Registry {
public:
    long openKey(RegKey, const std::string&, std::uint32_t, RegKey& key) override {
        key = 0;
        return reg::ERROR_FILE_NOT_FOUND;
    }
    long queryValue(RegKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override {
        return reg::ERROR_FILE_NOT_FOUND;
    }
    long closeKey(RegKey) override { return reg::ERROR_SUCCESS; }
};

class UnavailableLauncher final : public ProgramLauncher {
public:
    void start(const std::string& path) override { throw errorFor(errc::FileNotFound, path); }
};

}  // namespace quorvane
