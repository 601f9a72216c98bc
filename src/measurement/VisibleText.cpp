#include "measurement/VisibleText.h"

#include <algorithm>

namespace {

struct Step {
    qsizetype length; // 0: the byte at the position starts no valid sequence
    char32_t codePoint;
};

bool isContinuation(QByteArrayView bytes, qsizetype pos, unsigned char low = 0x80,
                    unsigned char high = 0xbf) {
    if (pos >= bytes.size())
        return false;
    const auto c = static_cast<unsigned char>(bytes[pos]);
    return c >= low && c <= high;
}

// One UTF-8 sequence as the standard allows it: no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
Step decodeAt(QByteArrayView bytes, qsizetype pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80)
        return {1, lead};
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return {0, 0};
    }
    if (!isContinuation(bytes, pos + 1, low, high))
        return {0, 0};
    for (qsizetype k = 2; k < length; ++k) {
        if (!isContinuation(bytes, pos + k))
            return {0, 0};
    }
    char32_t codePoint = lead & (0xff >> (length + 1));
    for (qsizetype k = 1; k < length; ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[pos + k]) & 0x3f);
    return {length, codePoint};
}

QString hexEscape(const char* prefix, char32_t value, int digits) {
    return QLatin1String(prefix) +
           QStringLiteral("%1").arg(static_cast<uint>(value), digits, 16, QLatin1Char('0'));
}

void appendVisible(QString& out, char32_t codePoint) {
    if (codePoint == 0)
        out += QLatin1String("\\0");
    else if (codePoint < 0x20 || codePoint == 0x7f)
        out += hexEscape("\\x", codePoint, 2);
    else if (codePoint >= 0x80 && codePoint <= 0x9f)
        out += hexEscape("\\u", codePoint, 4);
    else
        out += QStringView(QChar::fromUcs4(codePoint));
}

} // namespace

QString visibleText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c.isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate()) {
            out += c;
            out += text[++pos];
        } else if (c.isSurrogate()) {
            out += hexEscape("\\u", c.unicode(), 4);
        } else {
            appendVisible(out, c.unicode());
        }
    }
    return out;
}

QString visibleBytes(QByteArrayView utf8) {
    QString out;
    out.reserve(utf8.size());
    for (qsizetype pos = 0; pos < utf8.size();) {
        const Step step = decodeAt(utf8, pos);
        if (step.length == 0) {
            out += hexEscape("\\x", static_cast<unsigned char>(utf8[pos]), 2);
            ++pos;
        } else {
            appendVisible(out, step.codePoint);
            pos += step.length;
        }
    }
    return out;
}

QByteArrayView firstCharacters(QByteArrayView utf8, qsizetype count) {
    qsizetype pos = 0;
    for (qsizetype taken = 0; taken < count && pos < utf8.size(); ++taken)
        pos += std::max<qsizetype>(1, decodeAt(utf8, pos).length);
    return utf8.first(pos);
}
