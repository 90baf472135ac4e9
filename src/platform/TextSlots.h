#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"

namespace quorvane {

// The numbered text slots of a file service: which are open, on which file, and how far each is
// read. Shared by the platforms' file services so that slot numbers and their error numbers behave
// alike everywhere; opening, reading and closing the file itself stay with each platform. `Handle`
// is the platform's open file.
template <typename Handle>
class TextSlots {
public:
    struct Slot {
        Handle handle{};
        std::string path;
        LineReader reader;
    };

    static constexpr int kMaxSlot = 511;

    // Throws unless `slot` is a slot number not in use.
    void checkFree(int slot) const {
        if (slot < 1 || slot > kMaxSlot) throw error(errc::BadFileNameOrNumber);
        if (m_slots.count(slot)) throw error(errc::FileAlreadyOpen);
    }

    void add(int slot, Handle handle, const std::string& path) {
        Slot s;
        s.handle = handle;
        s.path = path;
        m_slots.emplace(slot, std::move(s));
    }

    // The open slot; BadFileNameOrNumber for one not open.
    Slot& at(int slot) {
        auto it = m_slots.find(slot);
        if (it == m_slots.end()) throw error(errc::BadFileNameOrNumber);
        return it->second;
    }

    // The open slot or null, for closing without an error.
    Slot* find(int slot) {
        auto it = m_slots.find(slot);
        return it == m_slots.end() ? nullptr : &it->second;
    }
    void erase(int slot) { m_slots.erase(slot); }

    auto begin() { return m_slots.begin(); }
    auto end() { return m_slots.end(); }
    bool empty() const { return m_slots.empty(); }

private:
    static PlatformError error(int number) { return PlatformError(number, describeError(number)); }

    std::map<int, Slot> m_slots;
};

}  // namespace quorvane
