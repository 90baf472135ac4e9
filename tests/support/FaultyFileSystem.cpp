#include "support/FaultyFileSystem.h"

namespace quorvane::test {

void FaultyFileSystem::failOn(Op op, int nth, PlatformError error) {
    m_faults.insert_or_assign(op, Fault{nth, std::move(error)});
}

void FaultyFileSystem::failAlways(Op op, PlatformError error) {
    m_faults.insert_or_assign(op, Fault{-1, std::move(error)});
}

int FaultyFileSystem::calls(Op op) const {
    auto it = m_calls.find(op);
    return it == m_calls.end() ? 0 : it->second;
}

void FaultyFileSystem::check(Op op) {
    ++m_calls[op];
    lifeline.pass();
    auto it = m_faults.find(op);
    if (it == m_faults.end()) return;
    Fault& fault = it->second;
    if (fault.countdown < 0) throw fault.error;
    if (--fault.countdown == 0) {
        PlatformError error = fault.error;
        m_faults.erase(it);
        throw error;
    }
}

void FaultyFileSystem::rename(const std::string& a, const std::string& b) { check(Op::Rename); m_real.rename(a, b); }
void FaultyFileSystem::setAttributes(const std::string& p, std::uint32_t v) {
    check(Op::SetAttributes);
    m_real.setAttributes(p, v);
}
std::uint32_t FaultyFileSystem::attributes(const std::string& p) { check(Op::Attributes); return m_real.attributes(p); }
std::uint64_t FaultyFileSystem::fileLength(const std::string& p) { check(Op::FileLength); return m_real.fileLength(p); }
void FaultyFileSystem::deleteFile(const std::string& p) { check(Op::DeleteFile); m_real.deleteFile(p); }
bool FaultyFileSystem::normalFileExists(const std::string& p) {
    check(Op::NormalFileExists);
    return m_real.normalFileExists(p);
}
bool FaultyFileSystem::folderExists(const std::string& p) {
    check(Op::FolderExists);
    return m_real.folderExists(p);
}
void FaultyFileSystem::makeFolders(const std::string& p) {
    check(Op::MakeFolders);
    m_real.makeFolders(p);
}
std::optional<std::string> FaultyFileSystem::readFile(const std::string& p) {
    check(Op::ReadFile);
    return m_real.readFile(p);
}
bool FaultyFileSystem::readFileInBlocks(const std::string& p, const std::function<void(std::string_view)>& consume) {
    check(Op::ReadFile);
    return m_real.readFileInBlocks(p, [&](std::string_view block) {
        while (!block.empty()) {
            const std::size_t n = blockSize > 0 && blockSize < block.size() ? blockSize : block.size();
            check(Op::ReadBlock);
            consume(block.substr(0, n));
            block.remove_prefix(n);
        }
    });
}
void FaultyFileSystem::writeFile(const std::string& p, const std::string& bytes) {
    check(Op::WriteFile);
    m_real.writeFile(p, bytes);
}
void FaultyFileSystem::checkWritableFile(const std::string& p) {
    check(Op::CheckWritableFile);
    m_real.checkWritableFile(p);
}
std::string FaultyFileSystem::textFileBytes(const std::string& text) {
    check(Op::TextFileBytes);
    return m_real.textFileBytes(text);
}
void FaultyFileSystem::openText(int slot, const std::string& p) {
    check(Op::OpenText);
    m_real.openText(slot, p);
}
std::string FaultyFileSystem::readLine(int slot) { check(Op::ReadLine); return m_real.readLine(slot); }
bool FaultyFileSystem::atEnd(int slot) { check(Op::AtEnd); return m_real.atEnd(slot); }
void FaultyFileSystem::close(int slot) noexcept { m_real.close(slot); }

}  // namespace quorvane::test
