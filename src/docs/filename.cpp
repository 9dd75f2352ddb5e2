#include "docs/filename.h"

namespace tessaly::docs {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at the start of bytes, 0 when
// there is none (a stray byte, an overlong form, a surrogate, beyond U+10FFFF).
int sequenceLength(QByteArrayView bytes, char32_t& code)
{
    const auto b = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    int length = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

QString decodeFileName(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t code = 0;
        const int length = sequenceLength(bytes, code);
        if (length == 0) {
            name.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0]))));
            bytes = bytes.sliced(1);
            continue;
        }
        name.append(QString::fromUcs4(&code, 1));
        bytes = bytes.sliced(length);
    }
    return name;
}

QByteArray encodeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            bytes.append(static_cast<char>(c - kEscapeBase));
            continue;
        }
        // A surrogate pair, or a single character; a stray surrogate of any
        // other kind (no decoded name holds one) becomes U+FFFD.
        const qsizetype n = (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) ? 2 : 1;
        bytes.append(QStringView(name).sliced(i, n).toUtf8());
        i += n - 1;
    }
    return bytes;
}

QString displayFileName(const QString& name)
{
    QString shown = name;
    for (QChar& c : shown)
        if (c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF)
            c = QChar::ReplacementCharacter;
    return shown;
}

QString localFileOfUrl(QByteArrayView url)
{
    constexpr QByteArrayView kScheme = "file://";
    if (url.size() < kScheme.size()
        || QByteArrayView(url.data(), kScheme.size()).compare(kScheme, Qt::CaseInsensitive) != 0)
        return {};
    QByteArrayView rest = url.sliced(kScheme.size());
    const qsizetype slash = rest.indexOf('/');
    if (slash < 0)
        return {};
    const QByteArrayView host = rest.first(slash);
    if (!host.empty() && host.compare(QByteArrayView("localhost"), Qt::CaseInsensitive) != 0)
        return {};
    return decodeFileName(QByteArray::fromPercentEncoding(rest.sliced(slash).toByteArray()));
}

}  // namespace tessaly::docs
