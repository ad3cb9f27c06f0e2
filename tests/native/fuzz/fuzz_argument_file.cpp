// The argument-file reader over any bytes: the words it gives, written back quoted and escaped,
// read back the same.
#include <string_view>

#include "tests/native/fuzz/FuzzText.h"
#include "vm/ArgumentFileText.h"

namespace {

// A word as an argument file holds it: in quotes, with java's escapes for what quotes cannot hold.
std::string Written(const std::string& word) {
    std::string text = "\"";
    for (const char ch : word) {
        const char* escape = ch == '\\' ? "\\\\" : ch == '"' ? "\\\"" : ch == '\n' ? "\\n" : ch == '\r' ? "\\r" : nullptr;
        text += escape ? std::string(escape) : std::string(1, ch);
    }
    return text + "\"\n";
}

}  // namespace

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const NarrowStringList words = ParseArgumentFile(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string file;
    for (const std::string& word : words) {
        FUZZ_CHECK(word.find('\0') == std::string::npos);  // a word ends at a NUL, as a C string
        file += Written(word);
    }
    FUZZ_CHECK(ParseArgumentFile(file) == words);
}
