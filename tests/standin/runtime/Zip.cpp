#include "tests/standin/runtime/Zip.h"

namespace tarn::standin {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;

uint32_t Read16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

uint32_t Read32(const std::string& bytes, size_t at) { return Read16(bytes, at) | Read16(bytes, at + 2) << 16; }

// The end-of-directory record is the last thing in the file, followed only by a comment.
std::optional<size_t> FindEndRecord(const std::string& bytes) {
    if (bytes.size() < kEndSize) return std::nullopt;
    const size_t lowest = bytes.size() > kEndSize + 0xFFFF ? bytes.size() - kEndSize - 0xFFFF : 0;
    for (size_t at = bytes.size() - kEndSize + 1; at-- > lowest;) {
        if (Read32(bytes, at) == kEndSignature && at + kEndSize + Read16(bytes, at + 20) == bytes.size()) return at;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ZipArchive> ZipArchive::Parse(std::string bytes) {
    const std::optional<size_t> end = FindEndRecord(bytes);
    if (!end) return std::nullopt;
    const uint32_t count = Read16(bytes, *end + 10);
    const uint32_t directorySize = Read32(bytes, *end + 12);
    const uint32_t directoryOffset = Read32(bytes, *end + 16);
    if (directorySize > *end) return std::nullopt;
    // Offsets count from the archive's start; data in front of it (a program) shifts them all.
    const size_t directory = *end - directorySize;
    if (directoryOffset > directory) return std::nullopt;
    const uint64_t shift = directory - directoryOffset;
    ZipArchive archive;
    size_t at = directory;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + kCentralSize > *end || Read32(bytes, at) != kCentralSignature) return std::nullopt;
        const uint32_t nameLength = Read16(bytes, at + 28);
        const size_t next = at + kCentralSize + nameLength + Read16(bytes, at + 30) + Read16(bytes, at + 32);
        if (next > *end) return std::nullopt;
        Entry entry;
        entry.method = static_cast<uint16_t>(Read16(bytes, at + 10));
        entry.compressedSize = Read32(bytes, at + 20);
        entry.size = Read32(bytes, at + 24);
        entry.localHeader = shift + Read32(bytes, at + 42);
        archive.entries_[bytes.substr(at + kCentralSize, nameLength)] = entry;
        at = next;
    }
    archive.bytes_ = std::move(bytes);
    return archive;
}

std::optional<std::string> ZipArchive::Read(const std::string& name, std::string& error) const {
    const auto found = entries_.find(name);
    if (found == entries_.end()) {
        error = "no entry " + name;
        return std::nullopt;
    }
    const Entry& entry = found->second;
    const uint64_t header = entry.localHeader;
    if (header + kLocalSize > bytes_.size() || Read32(bytes_, header) != kLocalSignature) {
        error = "damaged local header of " + name;
        return std::nullopt;
    }
    const uint64_t data = header + kLocalSize + Read16(bytes_, header + 26) + Read16(bytes_, header + 28);
    if (data + entry.compressedSize > bytes_.size()) {
        error = "entry " + name + " runs past the end of the archive";
        return std::nullopt;
    }
    const std::string raw = bytes_.substr(data, entry.compressedSize);
    if (entry.method == 0) return raw;
    error = "entry " + name + " uses compression method " + std::to_string(entry.method);
    return std::nullopt;
}

}  // namespace tarn::standin
