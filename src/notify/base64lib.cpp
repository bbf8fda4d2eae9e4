#include "base64lib.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstring>
#include <memory>

namespace Base64Lib {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kLineBytes = 54; // 18 groups of 3 bytes make one 72-character line
constexpr std::size_t kLineChars = 72;
// Whole lines per read: about 1.7 MB in and 2.3 MB out, large enough that the work is the
// table lookups, not the system calls.
constexpr std::size_t kBlockLines = 32768;

// Two characters for every 12-bit value, so each 3-byte group takes two lookups.
struct PairTable {
    std::array<char, 4096 * 2> chars{};
    constexpr PairTable() {
        for (int i = 0; i < 4096; ++i) {
            chars[static_cast<std::size_t>(i) * 2] = kAlphabet[i >> 6];
            chars[static_cast<std::size_t>(i) * 2 + 1] = kAlphabet[i & 63];
        }
    }
};
constexpr PairTable kPairs;

inline void encodeFullGroup(const unsigned char* in, char* out) {
    const unsigned value = (unsigned(in[0]) << 16) | (unsigned(in[1]) << 8) | in[2];
    std::memcpy(out, &kPairs.chars[(value >> 12) * 2], 2);
    std::memcpy(out + 2, &kPairs.chars[(value & 0xFFF) * 2], 2);
}

inline void encodeLine(const unsigned char* in, char* out) {
    for (std::size_t g = 0; g < kLineBytes / 3; ++g)
        encodeFullGroup(in + g * 3, out + g * 4);
    out[kLineChars] = '\r';
    out[kLineChars + 1] = '\n';
}

bool writeAll(QFile& file, const char* data, qint64 size) {
    return size == 0 || file.write(data, size) == size;
}

} // namespace

void EncodeGroup(const unsigned char* group, int count, char out[4]) {
    const unsigned b0 = group[0];
    const unsigned b1 = count > 1 ? group[1] : 0;
    const unsigned b2 = count > 2 ? group[2] : 0;
    out[0] = kAlphabet[b0 >> 2];
    out[1] = kAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
    out[2] = count > 1 ? kAlphabet[((b1 & 15) << 2) | (b2 >> 6)] : '=';
    out[3] = count > 2 ? kAlphabet[b2 & 63] : '=';
}

qint64 EncodedSize(qint64 sourceSize) {
    const qint64 chars = (sourceSize + 2) / 3 * 4;
    return chars + chars / static_cast<qint64>(kLineChars) * 2;
}

void EncodeBlock(const unsigned char* in, std::size_t size, char* out) {
    const std::size_t lines = size / kLineBytes;
    for (std::size_t i = 0; i < lines; ++i)
        encodeLine(in + i * kLineBytes, out + i * (kLineChars + 2));
    in += lines * kLineBytes;
    out += lines * (kLineChars + 2);
    std::size_t rest = size - lines * kLineBytes;
    for (; rest >= 3; rest -= 3, in += 3, out += 4)
        encodeFullGroup(in, out);
    if (rest == 0)
        return;
    EncodeGroup(in, static_cast<int>(rest), out);
    // 52 or 53 bytes: the padded last group completes a line, and a full line ends in CRLF.
    if (size - lines * kLineBytes > kLineBytes - 3) {
        out[4] = '\r';
        out[5] = '\n';
    }
}

bool EncodeFile(const QString& sourcePath, const QString& destinationPath) {
    // Replacing the destination first would delete a source that is the same file.
    const QFileInfo sourceInfo(sourcePath);
    if (sourceInfo.exists() &&
        sourceInfo.canonicalFilePath() == QFileInfo(destinationPath).canonicalFilePath())
        return false;
    QFile::remove(destinationPath); // a failure shows when the destination is opened
    QFile source(sourcePath);
    QFile destination(destinationPath);
    // Unbuffered: the blocks are large already, a second copy through Qt's buffer only costs.
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !destination.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const std::size_t blockBytes = kBlockLines * kLineBytes;
    auto in = std::make_unique<unsigned char[]>(blockBytes);
    auto out = std::make_unique<char[]>(static_cast<std::size_t>(EncodedSize(blockBytes)));
    for (;;) {
        // Fill the block completely, so only the file's last piece can hold a partial line.
        qint64 filled = 0;
        while (filled < static_cast<qint64>(blockBytes)) {
            const qint64 got = source.read(reinterpret_cast<char*>(in.get()) + filled,
                                           static_cast<qint64>(blockBytes) - filled);
            if (got < 0)
                return false;
            if (got == 0)
                break;
            filled += got;
        }
        if (filled == 0)
            break;
        EncodeBlock(in.get(), static_cast<std::size_t>(filled), out.get());
        if (!writeAll(destination, out.get(), EncodedSize(filled)))
            return false;
        if (filled < static_cast<qint64>(blockBytes))
            break;
    }
    return destination.flush() && source.error() == QFileDevice::NoError;
}

} // namespace Base64Lib
