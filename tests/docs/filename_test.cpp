#include "docs/filename.h"

#include <gtest/gtest.h>

using namespace tessaly::docs;

namespace {

TEST(FileNames, AnyBytesComeBackWhole)
{
    const QByteArray rows[] = {
        "plain.txt",
        "caf\xc3\xa9.txt",
        "\xff\xfe.txt",
        "\xc3(",
        "\xe2\x82",
        "\xed\xa0\x80",      // a surrogate in UTF-8
        "\xc0\xaf",          // an overlong slash
        "\xf4\x90\x80\x80",  // beyond U+10FFFF
        "\xf0\x9f\x98\x80 smile",
        "",
        "\x80",
    };
    for (const QByteArray& bytes : rows)
        EXPECT_EQ(encodeFileName(decodeFileName(bytes)), bytes) << bytes.toHex().toStdString();
    EXPECT_EQ(decodeFileName("caf\xc3\xa9"), QStringLiteral("caf\u00e9")) << "UTF-8 reads as its characters";
    EXPECT_EQ(decodeFileName("\xf0\x9f\x98\x80").size(), 2) << "a pair for a character beyond 16 bits";
}

TEST(FileNames, MessagesShowWhatIsNotUtf8AsReplacementCharacters)
{
    EXPECT_EQ(displayFileName(decodeFileName("a\xff\xfe.txt")), QStringLiteral("a\uFFFD\uFFFD.txt"));
    EXPECT_EQ(displayFileName(decodeFileName("caf\xc3\xa9")), QStringLiteral("caf\u00e9"));
}

TEST(FileNames, OnlyFileUrlsWithTwoSlashesAreUrls)
{
    EXPECT_EQ(encodeFileName(localFileOfUrl("file:///tmp/%FF%FE%20a.txt")), QByteArray("/tmp/\xff\xfe a.txt"));
    EXPECT_EQ(localFileOfUrl("FILE://localhost/a"), QStringLiteral("/a"));
    EXPECT_EQ(localFileOfUrl("file://host/a"), QString());
    EXPECT_EQ(localFileOfUrl("file:a.txt"), QString());
    EXPECT_EQ(localFileOfUrl("file://"), QString());
    EXPECT_EQ(localFileOfUrl("http://x/a"), QString());
}

}  // namespace
