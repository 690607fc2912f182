#pragma once
// The "QZ10" compressed form: a 4-byte magic, the uncompressed length (32 bits, little-endian) and
// an LZSS stream (4096-byte window, matches of 3 to 60 bytes) coded with an adaptive Huffman code
// of 314 symbols, match positions through a fixed code for their upper 6 bits. The coder streams:
// its working state is about 40 KB whatever the size of the data.

#include <cstddef>
#include <cstdint>
#include <functional>

// Where the coder reads from: Read fills up to size bytes and returns how many (0 at the end).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

// Where the coder writes to: Write returns false when the bytes could not all be written.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
};

class LzhufCoder {
public:
    enum class Result {
        Ok,
        WriteFailed, // the sink refused bytes; coding stopped there
        ShortInput,  // the source ended before the length it announced
        Corrupt      // the stored length cannot come from the stream, or the stream ended early
    };

    // Called with the bytes done and the bytes in all as the run goes on, and once at its end.
    using Progress = std::function<void(std::uint32_t& done, std::uint32_t& total)>;

    static const std::uint8_t kMagic[4];
    static constexpr std::size_t kHeaderSize = 8;

    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // Writes the header and the coded form of the size bytes that source holds.
    Result Compress(ByteSource& source, std::uint32_t size, ByteSink& sink);

    // Expands a compressed stream of sourceSize bytes. A source without the magic, or with a
    // length of 0, expands to nothing. A match running past the stored length is cut there.
    Result Expand(ByteSource& source, std::uint64_t sourceSize, ByteSink& sink);

    // The fixed code of the upper 6 bits of a match position: lengths and codes (left-aligned in a
    // byte), and the decoding tables indexed by the next 8 bits of the stream.
    struct PositionTables {
        std::uint8_t length[64];
        std::uint8_t code[64];
        std::uint8_t decodeIndex[256];
        std::uint8_t decodeLength[256];
    };
    static const PositionTables& Positions();

private:
    Progress m_progress;
};
