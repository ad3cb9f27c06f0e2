// The single-instance argument-area reader over bytes any process of the session may have written.
#include <algorithm>
#include <vector>

#include "instance/ArgumentArea.h"
#include "launcher/SettingsStore.h"
#include "tests/native/fuzz/FuzzText.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    // Exactly the bytes given, so a read past them is a sanitizer report.
    const std::vector<uint8_t> area(data, data + size);
    const WStringList list = ReadArgumentArea(area);
    size_t units = 0;
    for (const WString& argument : list) {
        FUZZ_CHECK(argument.find(L'\0') == WString::npos);
        units += argument.size() + 1;
    }
    FUZZ_CHECK(2 * units <= size);
    // A header field that does not lie wholly inside the bytes reads as 0.
    for (const size_t offset : {size_t{0}, size - std::min<size_t>(size, 4), size - std::min<size_t>(size, 3), size}) {
        if (offset + 4 > size) FUZZ_CHECK(ReadBlockField(area, offset) == 0);
    }

    // What was read, handed on by a later start, reads the same; no arguments at all arrive as one
    // empty argument, as the block has no other way to say "none".
    std::vector<uint8_t> written(kArgumentAreaSize, 0xEE);
    if (WriteArgumentArea(list, written)) {
        FUZZ_CHECK(ReadArgumentArea(written) == (list.empty() ? WStringList{L""} : list));
    } else {
        FUZZ_CHECK(ForwardedSize(list) > kForwardLimit);
    }
    // Arguments of the input's text, without NULs and empty ones (which end the list), go through whole.
    WStringList arguments;
    for (const WString& piece : SplitList(fuzz::TextOf(data, size), WString(1, L'\0'))) {
        if (!piece.empty()) arguments.push_back(piece);
    }
    if (!arguments.empty() && WriteArgumentArea(arguments, written)) FUZZ_CHECK(ReadArgumentArea(written) == arguments);
}
