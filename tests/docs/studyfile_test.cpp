#include "docs/studyfile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>
#include <string>

#include "../record/recordfixture.h"

using namespace tessaly::docs;
using namespace tessaly::record;
using namespace tessaly::record::testing;

namespace {

class StudyFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const QString& p, const QByteArray& bytes) const
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& p) const
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(StudyFiles, ReadsAFileWholeAndTellsWhatIsWrong)
{
    write(path("good.txt"), QByteArray::fromStdString(formatStudy(defaultsWithConstant(), someResults())));
    const StudyRead good = readStudyFile(path("good.txt"));
    ASSERT_TRUE(good.study) << good.message.toStdString();
    EXPECT_EQ(good.study->results, someResults());

    write(path("latin1.txt"),
          "\"Tessaly\"\r\n\"x*\xE9\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n-20,20,-15,15,1,0,0,1,1\r\n0\r\n");
    const StudyRead latin = readStudyFile(path("latin1.txt"));
    ASSERT_TRUE(latin.study);
    EXPECT_EQ(latin.study->record.equation, "x*\xC3\xA9");

    write(path("nul.txt"), QByteArray("\"Tessaly\"\r\n\"x\0\"", 15));
    write(path("other.txt"), "just some notes\n");
    ASSERT_EQ(mkfifo(path("fifo").toLocal8Bit().constData(), 0600), 0);
    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));

    struct Row {
        QString file;
        QString message;
    };
    const Row rows[] = {
        {path("nul.txt"), QStringLiteral("Incompatible file\nnot a text file (it holds a NUL byte)")},
        {path("other.txt"), QStringLiteral("Incompatible file\nline 1: \"just some notes\" is not \"Tessaly\"")},
        {path("missing.txt"), QStringLiteral("Cannot open %1: No such file or directory").arg(path("missing.txt"))},
        {path("fifo"), QStringLiteral("Cannot open %1: not a regular file").arg(path("fifo"))},
        {path("folder.txt"), QStringLiteral("Cannot open %1: not a regular file").arg(path("folder.txt"))},
    };
    for (const auto& row : rows) {
        const StudyRead r = readStudyFile(row.file);
        EXPECT_FALSE(r.study) << row.file.toStdString();
        EXPECT_EQ(r.message, row.message);
    }
}

TEST_F(StudyFiles, SavesTheStudyAndItsBitmapWhole)
{
    QImage graph(400, 300, QImage::Format_RGB32);
    graph.fill(Qt::white);
    graph.setPixelColor(10, 20, QColor(255, 0, 0));
    EXPECT_EQ(saveStudy(path("s.txt"), defaultsWithConstant(), {}, &graph), std::nullopt);
    EXPECT_EQ(read(path("s.txt")).toStdString(), kStudyWithOneConstant);
    const QByteArray bitmap = read(path("s.txt.bmp"));
    ASSERT_GT(bitmap.size(), 30);
    EXPECT_TRUE(bitmap.startsWith("BM"));
    EXPECT_EQ(bitmap[28], 24) << "bits per pixel";
    QImageReader reader(path("s.txt.bmp"), "bmp");
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), graph);

    // Without a graph, no bitmap, and the old one is removed: it showed another study.
    EXPECT_EQ(saveStudy(path("s.txt"), defaultsWithConstant(), {}, nullptr), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(path("s.txt.bmp")));
    EXPECT_EQ(read(path("s.txt")).toStdString(), kStudyWithOneConstant);

    // An old bitmap that cannot be removed stops the save before the study changes.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("u.txt.bmp/inside")));
    const auto refused = saveStudy(path("u.txt"), defaultsWithConstant(), {}, nullptr);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(QStringLiteral("Could not save ") + path("u.txt.bmp")));
    EXPECT_FALSE(QFileInfo::exists(path("u.txt")));
}

TEST_F(StudyFiles, RefusesValuesThatWouldNotReadBack)
{
    struct Row {
        int item;
        double value;
        const char* message;
    };
    const Row rows[] = {
        {2, 3e9, "The value of # of subintervals is out of range; the study was not saved."},
        {5, 1e39, "The value of Lower limit for x (plotting) is out of range; the study was not saved."},
        {9, -3e9, "The value of Plot step is out of range; the study was not saved."},
        {0, std::numeric_limits<double>::infinity(),
         "The value of Lower limit of interval to be studied is out of range; the study was not saved."},
    };
    for (const auto& row : rows) {
        SettingsItems items = defaultsWithConstant();
        items.numbers[static_cast<std::size_t>(row.item)] = row.value;
        const auto message = saveStudy(path("refused.txt"), items, {}, nullptr);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->toStdString(), row.message);
        EXPECT_FALSE(QFileInfo::exists(path("refused.txt")));
    }
}

TEST_F(StudyFiles, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    write(path("old.txt"), "old");
    write(path("plain"), "a file, not a folder");
    const QString inside = path("plain") + QStringLiteral("/s.txt");
    const auto message = saveStudy(inside, defaultsWithConstant(), {}, nullptr);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->startsWith(QStringLiteral("Could not save %1: ").arg(inside))) << message->toStdString();

    // A study that cannot replace a folder of its name leaves no temporary behind.
    QDir(dir.path()).mkdir(QStringLiteral("taken.txt"));
    EXPECT_TRUE(saveStudy(path("taken.txt"), defaultsWithConstant(), {}, nullptr));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "old.txt and plain only";
    EXPECT_EQ(read(path("old.txt")), "old");
}

}  // namespace
