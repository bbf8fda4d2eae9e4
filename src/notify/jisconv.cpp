#include "jisconv.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace JisCode {
namespace {

// Length of the UTF-8 sequence that starts with this byte (1 for a stray continuation byte).
int utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

bool isDoubleByteLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Owns one iconv conversion descriptor.
class Converter {
public:
    Converter() : m_cd(iconv_open("CP932", "UTF-8")) {}
    ~Converter() {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

QByteArray Utf8ToCp932(const QString& text) {
    QByteArray in = text.toUtf8();
    Converter converter;
    if (!converter.valid())
        return in; // no CP932 module: ASCII still goes through unchanged
    // CP932 never needs more bytes than UTF-8 for the same text.
    QByteArray out(in.size() + 4, Qt::Uninitialized);
    char* src = in.data();
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    while (srcLeft > 0) {
        if (iconv(converter.handle(), &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break; // E2BIG cannot happen with the size above
        // A character outside CP932 (or a broken sequence): write "?" and step over it.
        const size_t skip = std::min<size_t>(utf8SequenceLength(*src), srcLeft);
        src += skip;
        srcLeft -= skip;
        *dst++ = '?';
        --dstLeft;
    }
    out.truncate(static_cast<int>(dst - out.data()));
    return out;
}

JisPair SJISTOJIS(unsigned char high, unsigned char low) {
    int h = high;
    int l = low;
    h = (h <= 0x9F ? h - 0x71 : h - 0xB1) * 2 + 1;
    if (l > 0x7F)
        --l;
    if (l >= 0x9E) {
        l -= 0x7D;
        ++h;
    } else {
        l -= 0x1F;
    }
    return {static_cast<unsigned char>(h), static_cast<unsigned char>(l)};
}

QByteArray JisConv(const QByteArray& sjis) {
    QByteArray out;
    out.reserve(sjis.size() * 2);
    bool kanji = false;
    bool kana = false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(sjis.constData());
    const qsizetype size = sjis.size();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char c = bytes[i];
        if (isDoubleByteLead(c) && i + 1 < size) {
            kana = false;
            if (!kanji)
                out.append("\x1b$B", 3);
            kanji = true;
            const JisPair jis = SJISTOJIS(c, bytes[++i]);
            out.append(static_cast<char>(jis.high)).append(static_cast<char>(jis.low));
        } else if (c >= 0xA0 && c <= 0xDF) {
            kanji = false;
            if (!kana)
                out.append("\x1b(I", 3);
            kana = true;
            out.append(static_cast<char>(c - 128));
        } else {
            if (kanji || kana)
                out.append("\x1b(J", 3);
            kanji = kana = false;
            out.append(static_cast<char>(c));
        }
    }
    return out;
}

QByteArray ToMailJis(const QString& text) {
    return JisConv(Utf8ToCp932(text));
}

} // namespace JisCode
