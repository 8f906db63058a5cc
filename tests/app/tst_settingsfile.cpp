// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingsfile.h"
#include "platform/textcodec.h"

#include "tempfolder.h"
#include "testplatform.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(nv::SettingsRecord)

using namespace nv;

namespace {

// The 18 fields as texts, in file order, so that a failed comparison shows
// which field differs.
QStringList fieldTexts(const SettingsRecord &record)
{
    QStringList texts{record.SourceFolder, record.TargetFolder, QString::number(record.DigitIndex),
                      QString::number(record.ExtensionIndex), record.HeadName, record.FirstNumberText,
                      QString::number(record.ReportView), QString::number(record.ShowContinuation)};
    for (const QString &slot : record.HeadNameHistory) texts.append(slot);
    return texts;
}

// The first `count` fields of `from`, the rest from `rest`.
QStringList firstFieldsOver(const SettingsRecord &from, int count, const SettingsRecord &rest)
{
    QStringList texts = fieldTexts(rest);
    const QStringList read = fieldTexts(from);
    for (int i = 0; i < count; ++i) texts[i] = read[i];
    return texts;
}

SettingsRecord exampleRecord()
{
    SettingsRecord record;
    record.SourceFolder = QStringLiteral("C:\\photos\\");
    record.TargetFolder = QStringLiteral("D:\\sorted\\");
    record.DigitIndex = 3;
    record.ExtensionIndex = 1;
    record.HeadName = QStringLiteral("trip");
    record.FirstNumberText = QStringLiteral("1");
    record.ReportView = 1;
    record.ShowContinuation = 0;
    record.HeadNameHistory[9] = QStringLiteral("trip");
    return record;
}

const QByteArray kExampleLine =
    R"("C:\photos\","D:\sorted\",3,1,"trip","1",1,0,"","","","","","","","","","trip")";

// Every field different from its default and from the others.
SettingsRecord fullRecord(const QString &tag)
{
    SettingsRecord record;
    record.SourceFolder = "/src-" + tag + "/";
    record.TargetFolder = "/dst-" + tag + "/";
    record.DigitIndex = 4;
    record.ExtensionIndex = -1;
    record.HeadName = "head-" + tag;
    record.FirstNumberText = "7" + tag;
    record.ReportView = 1;
    record.ShowContinuation = 1;
    for (int i = 0; i < 10; ++i) record.HeadNameHistory[i] = QStringLiteral("h%1-%2").arg(i).arg(tag);
    return record;
}

// The formatted record up to and including the comma after field `count`.
QString firstFieldsText(const SettingsRecord &record, int count)
{
    const QString line = FormatSettingsRecord(record);
    qsizetype pos = 0;
    for (int i = 0; i < count; ++i) pos = line.indexOf(QLatin1Char(','), pos) + 1;
    return line.left(pos);
}

}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void exampleLineBytes();
    void cutShort_data();
    void cutShort();
    void lastRecordCounts();
    void secondRecordCutShortKeepsFirstRecordsTail();
    void emptyData_data();
    void emptyData();
    void integerFields_data();
    void integerFields();
    void doubleQuotes_data();
    void doubleQuotes();
    void extensionListReading_data();
    void extensionListReading();
    void builtInExtensionListBytes();
    void extensionListRoundTrip();
    void randomDataReadsAndRewritesStably();
    void japaneseTextInCp932();
    void textOutsideCp932FallsBackToUtf8_data();
    void textOutsideCp932FallsBackToUtf8();
    void unreadableFile();
};

void TestSettingsFile::roundTrip_data()
{
    QTest::addColumn<SettingsRecord>("record");

    QTest::newRow("example") << exampleRecord();
    QTest::newRow("every field set") << fullRecord("x");
    SettingsRecord commas = exampleRecord();
    commas.HeadName = QStringLiteral("trip, day 2");
    commas.FirstNumberText = QStringLiteral("1,000");
    commas.SourceFolder = QStringLiteral("/photos, 2023/");
    commas.HeadNameHistory[3] = QStringLiteral(",");
    QTest::newRow("commas in texts") << commas;
    QTest::newRow("all empty and zero") << SettingsRecord{};
    SettingsRecord typedExtension = exampleRecord();
    typedExtension.ExtensionIndex = -1;
    QTest::newRow("extension index -1") << typedExtension;
    SettingsRecord extremes = exampleRecord();
    extremes.DigitIndex = 32767;
    extremes.ExtensionIndex = -32768;
    QTest::newRow("16-bit extremes") << extremes;
    SettingsRecord blanks = exampleRecord();
    blanks.HeadName = QStringLiteral("  trip ");
    blanks.FirstNumberText = QStringLiteral(" ");
    QTest::newRow("blanks around texts") << blanks;
    SettingsRecord lineBreaks = exampleRecord();
    lineBreaks.HeadName = QStringLiteral("two\r\nlines");
    lineBreaks.HeadNameHistory[0] = QStringLiteral("\n");
    QTest::newRow("line breaks in texts") << lineBreaks;
}

void TestSettingsFile::roundTrip()
{
    QFETCH(SettingsRecord, record);
    const QString line = FormatSettingsRecord(record);
    QVERIFY(line.endsWith(QLatin1String("\r\n")));

    const SettingsReadResult read = ParseSettingsText(line);
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(fieldTexts(read.record), fieldTexts(record));
}

void TestSettingsFile::exampleLineBytes()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.pathOf(QStringLiteral("DataFile.ini"));

    QVERIFY(WriteSettingsFile(platform, path, exampleRecord()).ok());
    QCOMPARE(folder.contents(QStringLiteral("DataFile.ini")), kExampleLine + "\r\n");

    const SettingsReadResult read = ReadSettingsFile(platform, path);
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(fieldTexts(read.record), fieldTexts(exampleRecord()));
    QCOMPARE(folder.names(), QStringList{QStringLiteral("DataFile.ini")});
}

void TestSettingsFile::cutShort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fieldsRead");

    const SettingsRecord full = fullRecord("a");
    QTest::newRow("after the first field") << firstFieldsText(full, 1) << 1;
    QTest::newRow("after both folders") << firstFieldsText(full, 2) << 2;
    QTest::newRow("after the digit index") << firstFieldsText(full, 3) << 3;
    QTest::newRow("after the option") << firstFieldsText(full, 8) << 8;
    QTest::newRow("after four history slots") << firstFieldsText(full, 12) << 12;
    QTest::newRow("after 17 fields") << firstFieldsText(full, 17) << 17;
    QString seventeenOnALine = firstFieldsText(full, 17);
    seventeenOnALine.chop(1);
    QTest::newRow("17 fields and a line end") << seventeenOnALine + "\r\n" << 17;
    // An open quote takes the rest of the data as its text; the record still
    // lacks its remaining fields.
    QTest::newRow("quote never closed") << firstFieldsText(full, 4) + "\"head-a" << 5;
}

void TestSettingsFile::cutShort()
{
    QFETCH(QString, text);
    QFETCH(int, fieldsRead);

    const SettingsReadResult read = ParseSettingsText(text);
    QCOMPARE(read.outcome, SettingsReadOutcome::CutShort);
    QCOMPARE(fieldTexts(read.record), firstFieldsOver(fullRecord("a"), fieldsRead, SettingsRecord{}));
}

// Two records, as a hand-edited file might hold them: an empty line between
// them and after them, the second with bare line feeds.
void TestSettingsFile::lastRecordCounts()
{
    QString second = FormatSettingsRecord(fullRecord("second"));
    second.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString text = FormatSettingsRecord(fullRecord("first")) + "\r\n" + second + "\n\n";
    const SettingsReadResult read = ParseSettingsText(text);
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(fieldTexts(read.record), fieldTexts(fullRecord("second")));
}

void TestSettingsFile::secondRecordCutShortKeepsFirstRecordsTail()
{
    const SettingsRecord first = fullRecord("first");
    const SettingsRecord second = fullRecord("second");
    const SettingsReadResult read = ParseSettingsText(FormatSettingsRecord(first) + firstFieldsText(second, 12));
    QCOMPARE(read.outcome, SettingsReadOutcome::CutShort);
    QCOMPARE(fieldTexts(read.record), firstFieldsOver(second, 12, first));
}

void TestSettingsFile::emptyData_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QString();
    QTest::newRow("blanks") << QStringLiteral("  \t ");
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n\n");
}

void TestSettingsFile::emptyData()
{
    QFETCH(QString, text);
    const SettingsReadResult read = ParseSettingsText(text);
    QCOMPARE(read.outcome, SettingsReadOutcome::Empty);
    QCOMPARE(fieldTexts(read.record), fieldTexts(SettingsRecord{}));
    QVERIFY(ParseExtensionList(text).isEmpty());
}

void TestSettingsFile::integerFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("value");

    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("blanks around") << "  12 " << true << 12;
    QTest::newRow("quoted") << "\"5\"" << true << 5;
    QTest::newRow("one too large") << "32768" << false << 0;
    QTest::newRow("one too small") << "-32769" << false << 0;
    QTest::newRow("far too large") << "123456789012345678901234567890" << false << 0;
    QTest::newRow("letters") << "three" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("minus alone") << "-" << false << 0;
    QTest::newRow("plus sign") << "+3" << false << 0;
    QTest::newRow("fraction") << "3.5" << false << 0;
    QTest::newRow("digits then letters") << "3x" << false << 0;
    QTest::newRow("blank inside") << "- 3" << false << 0;
    QTest::newRow("full-width digit") << QString::fromUtf8("３") << false << 0;
}

// The digit index (field 3) carries the number under test. A field that is no
// 16-bit number ends the reading as a record cut short does: the two folders
// before it stay read.
void TestSettingsFile::integerFields()
{
    QFETCH(QString, field);
    QFETCH(bool, accepted);
    QFETCH(int, value);

    const SettingsRecord full = fullRecord("i");
    QString text = FormatSettingsRecord(full);
    text.replace(firstFieldsText(full, 3), firstFieldsText(full, 2) + field + ",");

    const SettingsReadResult read = ParseSettingsText(text);
    if (accepted) {
        SettingsRecord expected = full;
        expected.DigitIndex = value;
        QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
        QCOMPARE(fieldTexts(read.record), fieldTexts(expected));
    } else {
        QCOMPARE(read.outcome, SettingsReadOutcome::CutShort);
        QCOMPARE(fieldTexts(read.record), firstFieldsOver(full, 2, SettingsRecord{}));
    }
}

void TestSettingsFile::doubleQuotes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("inside a word, kept") << R"(a"b)" << R"(a"b)";
    QTest::newRow("inch mark at the end, kept") << R"(12" )" << R"(12" )";
    QTest::newRow("at the start, dropped") << R"("trip")" << "trip";
    QTest::newRow("with a comma, dropped") << R"(a"b,c)" << "ab,c";
    QTest::newRow("after a leading blank, dropped") << R"( a"b)" << " ab";
    QTest::newRow("with a line break, dropped") << "a\"b\r\nc" << "ab\r\nc";
    QTest::newRow("a quote alone") << R"(")" << "";
}

// The format cannot hold a double quote inside a quoted text. Whatever is
// stored, the file must read back whole, every other field unchanged.
void TestSettingsFile::doubleQuotes()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);

    SettingsRecord record = fullRecord("q");
    record.SourceFolder = text;
    record.HeadName = text;
    record.HeadNameHistory[9] = text;
    SettingsRecord expected = record;
    expected.SourceFolder = readBack;
    expected.HeadName = readBack;
    expected.HeadNameHistory[9] = readBack;

    const SettingsReadResult read = ParseSettingsText(FormatSettingsRecord(record));
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(fieldTexts(read.record), fieldTexts(expected));

    const QStringList entries{QStringLiteral("bmp"), text, QStringLiteral("jpg")};
    QCOMPARE(ParseExtensionList(FormatExtensionList(entries)),
             (QStringList{QStringLiteral("bmp"), readBack, QStringLiteral("jpg")}));
}

void TestSettingsFile::extensionListReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("quoted lines") << "\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n" << QStringList{"bmp", "gif", "jpg"};
    QTest::newRow("unquoted lines") << "bmp\r\ngif\r\njpg\r\n" << QStringList{"bmp", "gif", "jpg"};
    QTest::newRow("line feeds only") << "bmp\n\"gif\"\n" << QStringList{"bmp", "gif"};
    QTest::newRow("no final line end") << "\"bmp\"\r\njpg" << QStringList{"bmp", "jpg"};
    QTest::newRow("two quoted fields on a line") << "\"a\",\"b\"\r\n\"c\"\r\n" << QStringList{"a", "b", "c"};
    QTest::newRow("unquoted comma splits") << "jpg,png\r\n" << QStringList{"jpg", "png"};
    QTest::newRow("empty lines skipped") << "bmp\r\n\r\n\r\njpg\r\n" << QStringList{"bmp", "jpg"};
    QTest::newRow("quoted blank kept") << "\" jpg\"\r\n\"jpg \"\r\n" << QStringList{" jpg", "jpg "};
    QTest::newRow("unquoted leading blank skipped") << "  jpg\r\n" << QStringList{"jpg"};
    QTest::newRow("quoted empty entry") << "\"\"\r\n\"png\"\r\n" << QStringList{"", "png"};
    QTest::newRow("dotted and mixed case") << "\".JPG\"\r\n\"tar.gz\"\r\n" << QStringList{".JPG", "tar.gz"};
}

void TestSettingsFile::extensionListReading()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(ParseExtensionList(text), entries);
}

void TestSettingsFile::builtInExtensionListBytes()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.pathOf(QStringLiteral("ListFile.ini"));
    const QStringList entries{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg")};

    QVERIFY(WriteExtensionList(platform, path, entries).ok());
    QCOMPARE(folder.contents(QStringLiteral("ListFile.ini")), QByteArray("\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n"));
    QCOMPARE(ReadExtensionList(platform, path).value, entries);

    QVERIFY(WriteExtensionList(platform, path, {}).ok());
    QCOMPARE(folder.contents(QStringLiteral("ListFile.ini")), QByteArray());
    QCOMPARE(ReadExtensionList(platform, path).value, QStringList());
}

void TestSettingsFile::extensionListRoundTrip()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.pathOf(QStringLiteral("ListFile.ini"));
    const QStringList entries{QStringLiteral(" jpg"), QStringLiteral("a,b"), QStringLiteral("JPG"),
                              QStringLiteral("jpg"), QStringLiteral("jpg"), QString::fromUtf8("ｊｐｇ～")};

    QVERIFY(WriteExtensionList(platform, path, entries).ok());
    QCOMPARE(ReadExtensionList(platform, path).value, entries);
}

// Whatever a file holds, reading it must not crash, and what was read must
// survive being written and read again unchanged (the reader never yields a
// text that the writer cannot store).
void TestSettingsFile::randomDataReadsAndRewritesStably()
{
    QRandomGenerator random(20240611);
    const QByteArray syntax(",\",\r\n -0123456789\"ab\xff\x82");
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes(random.bounded(0, 300), Qt::Uninitialized);
        const bool mostlySyntax = round % 2 == 0;
        for (char &byte : bytes) {
            byte = mostlySyntax ? syntax.at(random.bounded(syntax.size())) : char(random.bounded(256));
        }
        const QString text = decodeText(bytes);

        const SettingsReadResult read = ParseSettingsText(text);
        const SettingsReadResult again = ParseSettingsText(FormatSettingsRecord(read.record));
        QCOMPARE(again.outcome, SettingsReadOutcome::Complete);
        QCOMPARE(fieldTexts(again.record), fieldTexts(read.record));

        const QStringList entries = ParseExtensionList(text);
        QCOMPARE(ParseExtensionList(FormatExtensionList(entries)), entries);
    }
}

void TestSettingsFile::japaneseTextInCp932()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.pathOf(QStringLiteral("DataFile.ini"));
    SettingsRecord record;
    record.HeadName = QString::fromUtf8("リネーム元フォルダ～");

    QVERIFY(WriteSettingsFile(platform, path, record).ok());
    QByteArray expected = "\"\",\"\",0,0,\"" + QByteArray::fromHex("838a836c815b83808cb383748348838b835f8160")
                          + "\",\"\",0,0";
    for (int i = 0; i < 10; ++i) expected += ",\"\"";
    QCOMPARE(folder.contents(QStringLiteral("DataFile.ini")), expected + "\r\n");

    const SettingsReadResult read = ReadSettingsFile(platform, path);
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(read.record.HeadName, record.HeadName);
}

void TestSettingsFile::textOutsideCp932FallsBackToUtf8_data()
{
    QTest::addColumn<QString>("headName");
    QTest::newRow("accented letter") << QString::fromUtf8("café");
    QTest::newRow("emoji") << QString::fromUtf8("旅行😀");
}

// One text that CP932 cannot hold turns the whole file into UTF-8 with a
// byte-order mark, the Japanese folder names included, and it reads back.
void TestSettingsFile::textOutsideCp932FallsBackToUtf8()
{
    QFETCH(QString, headName);
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.pathOf(QStringLiteral("DataFile.ini"));
    SettingsRecord record = fullRecord("u");
    record.SourceFolder = QString::fromUtf8("/写真/");
    record.HeadName = headName;

    QVERIFY(WriteSettingsFile(platform, path, record).ok());
    const QByteArray bytes = folder.contents(QStringLiteral("DataFile.ini"));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"/\xE5\x86\x99\xE7\x9C\x9F/\","));
    QVERIFY(bytes.contains(headName.toUtf8()));

    const SettingsReadResult read = ReadSettingsFile(platform, path);
    QCOMPARE(read.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(fieldTexts(read.record), fieldTexts(record));
}

// A file that exists but cannot be read is told apart from a damaged one, with
// the system's reason, so that the start-up keeps it.
void TestSettingsFile::unreadableFile()
{
    TempFolder folder;
    TestPlatform platform;
    const QString dataPath = folder.addFile(QStringLiteral("DataFile.ini"), kExampleLine + "\r\n");
    const QString listPath = folder.addFile(QStringLiteral("ListFile.ini"), "\"bmp\"\r\n");
    platform.failPath(TestPlatform::Operation::ReadTextFile, folder.path(), FsStatus::fromErrno(EIO));

    const SettingsReadResult read = ReadSettingsFile(platform, dataPath);
    QCOMPARE(read.outcome, SettingsReadOutcome::Unreadable);
    QCOMPARE(read.readStatus.reason, FsStatus::fromErrno(EIO).reason);
    QCOMPARE(ReadExtensionList(platform, listPath).status.reason, FsStatus::fromErrno(EIO).reason);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
