#include "docs/filename.h"

#include <string_view>

#include "common/utf8.h"

namespace tessaly::docs {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

}  // namespace

QString decodeFileName(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto length = static_cast<qsizetype>(
            common::utf8SequenceLength(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))));
        if (length == 0) {
            name.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0]))));
            bytes = bytes.sliced(1);
            continue;
        }
        name.append(QString::fromUtf8(bytes.first(length)));
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
