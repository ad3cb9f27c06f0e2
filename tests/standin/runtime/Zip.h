// Reading jar files: zip archives with stored entries (the tests write no others), also when the archive is
// appended to other data (an executable carrying its jar). Windows-free.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tarn::standin {

class ZipArchive {
public:
    // Null when the bytes hold no readable end-of-directory record and directory.
    static std::optional<ZipArchive> Parse(std::string bytes);

    bool Has(const std::string& name) const { return entries_.count(name) != 0; }
    // The entry's content, or nothing (error says why: missing, damaged, unsupported method).
    std::optional<std::string> Read(const std::string& name, std::string& error) const;

private:
    struct Entry {
        uint16_t method = 0;
        uint32_t compressedSize = 0;
        uint32_t size = 0;
        uint64_t localHeader = 0;  // position in the bytes, corrected for data before the archive
    };

    std::string bytes_;
    std::map<std::string, Entry> entries_;
};

}  // namespace tarn::standin
