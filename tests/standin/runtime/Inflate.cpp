// Raw deflate decoding (RFC 1951) for deflated jar entries: stored, fixed and dynamic blocks.
#include <array>

#include "tests/standin/runtime/Zip.h"

namespace tarn::standin {
namespace {

struct Damaged {};

class BitReader {
public:
    explicit BitReader(const std::string& input) : input_(input) {}
    int Bits(int count) {
        uint32_t value = buffer_;
        while (available_ < count) {
            if (position_ >= input_.size()) throw Damaged{};
            value |= static_cast<uint32_t>(static_cast<unsigned char>(input_[position_++])) << available_;
            available_ += 8;
        }
        buffer_ = value >> count;
        available_ -= count;
        return static_cast<int>(value & ((1u << count) - 1));
    }
    void ToByteBoundary() { buffer_ = 0, available_ = 0; }
    unsigned char Byte() {
        if (position_ >= input_.size()) throw Damaged{};
        return static_cast<unsigned char>(input_[position_++]);
    }

private:
    const std::string& input_;
    size_t position_ = 0;
    uint32_t buffer_ = 0;
    int available_ = 0;
};

struct Huffman {
    std::array<short, 16> count{};
    std::array<short, 288> symbol{};
};

// Canonical code from code lengths; the result is negative when over-subscribed, positive when incomplete.
int Build(Huffman& code, const short* lengths, int n) {
    code.count.fill(0);
    for (int s = 0; s < n; ++s) code.count[lengths[s]]++;
    if (code.count[0] == n) return 0;
    int left = 1;
    for (int length = 1; length < 16; ++length) {
        left = (left << 1) - code.count[length];
        if (left < 0) return left;
    }
    std::array<short, 16> offsets{};
    for (int length = 1; length < 15; ++length) offsets[length + 1] = offsets[length] + code.count[length];
    for (int s = 0; s < n; ++s) {
        if (lengths[s] != 0) code.symbol[offsets[lengths[s]]++] = static_cast<short>(s);
    }
    return left;
}

int Decode(BitReader& reader, const Huffman& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length < 16; ++length) {
        value |= reader.Bits(1);
        const int count = code.count[length];
        if (value - count < first) return code.symbol[index + (value - first)];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    throw Damaged{};
}

void Codes(BitReader& reader, std::string& out, const Huffman& lengthCode, const Huffman& distanceCode) {
    static const short kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const short kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const short kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                            33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const short kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    for (;;) {
        int symbol = Decode(reader, lengthCode);
        if (symbol < 256) {
            out += static_cast<char>(symbol);
            continue;
        }
        if (symbol == 256) return;
        symbol -= 257;
        if (symbol >= 29) throw Damaged{};
        const size_t length = kLengthBase[symbol] + reader.Bits(kLengthExtra[symbol]);
        const int distanceSymbol = Decode(reader, distanceCode);
        if (distanceSymbol >= 30) throw Damaged{};
        const size_t distance = kDistanceBase[distanceSymbol] + reader.Bits(kDistanceExtra[distanceSymbol]);
        if (distance > out.size()) throw Damaged{};
        for (size_t i = 0; i < length; ++i) out += out[out.size() - distance];
    }
}

void Stored(BitReader& reader, std::string& out) {
    reader.ToByteBoundary();
    const unsigned length = reader.Byte() | reader.Byte() << 8;
    const unsigned complement = reader.Byte() | reader.Byte() << 8;
    if (length != (~complement & 0xFFFF)) throw Damaged{};
    for (unsigned i = 0; i < length; ++i) out += static_cast<char>(reader.Byte());
}

void Fixed(BitReader& reader, std::string& out) {
    short lengths[288];
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    Huffman lengthCode, distanceCode;
    Build(lengthCode, lengths, 288);
    for (int s = 0; s < 30; ++s) lengths[s] = 5;
    Build(distanceCode, lengths, 30);
    Codes(reader, out, lengthCode, distanceCode);
}

void Dynamic(BitReader& reader, std::string& out) {
    static const short kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int literalCount = reader.Bits(5) + 257;
    const int distanceCount = reader.Bits(5) + 1;
    const int codeCount = reader.Bits(4) + 4;
    if (literalCount > 286 || distanceCount > 30) throw Damaged{};
    short lengths[320] = {};
    for (int i = 0; i < codeCount; ++i) lengths[kOrder[i]] = static_cast<short>(reader.Bits(3));
    Huffman lengthCode, distanceCode;
    if (Build(lengthCode, lengths, 19) != 0) throw Damaged{};
    for (int index = 0; index < literalCount + distanceCount;) {
        const int symbol = Decode(reader, lengthCode);
        if (symbol < 16) {
            lengths[index++] = static_cast<short>(symbol);
            continue;
        }
        short repeated = 0;
        int times = 0;
        if (symbol == 16) {
            if (index == 0) throw Damaged{};
            repeated = lengths[index - 1];
            times = 3 + reader.Bits(2);
        } else {
            times = symbol == 17 ? 3 + reader.Bits(3) : 11 + reader.Bits(7);
        }
        if (index + times > literalCount + distanceCount) throw Damaged{};
        while (times-- > 0) lengths[index++] = repeated;
    }
    if (lengths[256] == 0) throw Damaged{};
    const int literalLeft = Build(lengthCode, lengths, literalCount);
    if (literalLeft < 0 || (literalLeft > 0 && literalCount - lengthCode.count[0] != 1)) throw Damaged{};
    const int distanceLeft = Build(distanceCode, lengths + literalCount, distanceCount);
    if (distanceLeft < 0 || (distanceLeft > 0 && distanceCount - distanceCode.count[0] != 1)) throw Damaged{};
    Codes(reader, out, lengthCode, distanceCode);
}

}  // namespace

std::optional<std::string> Inflate(const std::string& data, size_t expectedSize) {
    std::string out;
    out.reserve(expectedSize);
    try {
        BitReader reader(data);
        for (bool last = false; !last;) {
            last = reader.Bits(1) == 1;
            switch (reader.Bits(2)) {
                case 0:
                    Stored(reader, out);
                    break;
                case 1:
                    Fixed(reader, out);
                    break;
                case 2:
                    Dynamic(reader, out);
                    break;
                default:
                    throw Damaged{};
            }
        }
    } catch (const Damaged&) {
        return std::nullopt;
    }
    if (out.size() != expectedSize) return std::nullopt;
    return out;
}

}  // namespace tarn::standin
