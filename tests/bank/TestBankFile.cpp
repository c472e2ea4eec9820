#include "GbkPrinting.h"

#include "bank/BankFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace std::string_literals;

class TestBankFile final : public QObject
{
    Q_OBJECT

private slots:
    void endsTextAtControlBytes_data();
    void endsTextAtControlBytes();
    void readsRows_data();
    void readsRows();
    void countsLinesAsProgress();
    void refusesFilesItCannotOpen_data();
    void refusesFilesItCannotOpen();
    void refusesReadOnlyFile();
    void writesRows_data();
    void writesRows();
    void replacementKeepsPermissionsAndLeavesNoTemporaryFile();
    void failedWriteInReadOnlyFolderKeepsOldFile();
    void failedWriteUnderAFileReportsFailure();

private:
    QString writeFixture(const std::string& bytes);
    QTemporaryDir m_dir;
};

namespace {

QuestionRow row(std::string number, std::string question, std::string options, std::string answer)
{
    return {std::move(number), std::move(question), std::move(options), std::move(answer)};
}

bool writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

std::string fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>"s;
}

// Whether this user can create a file in a folder whose permission bits forbid it (root can).
bool permissionBitsAreIgnored(const QString& folder)
{
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    const bool created = probe.open(QIODevice::WriteOnly);
    if (created)
        probe.remove();
    return created;
}

} // namespace

QString TestBankFile::writeFixture(const std::string& bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("fixture.csv"));
    QFile::remove(path); // a test may have left it read-only
    if (!writeFile(path, bytes))
        qFatal("cannot write the fixture");
    return path;
}

void TestBankFile::endsTextAtControlBytes_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<std::string>("text");

    QTest::newRow("no control byte") << "q,o,a\r\n"s
                                     << "q,o,a\r\n"s;
    QTest::newRow("nul") << "q,o\0a\r\n"s
                         << "q,o"s;
    QTest::newRow("sub") << "q,o\x1A"
                            "a\r\n"s
                         << "q,o"s;
    QTest::newRow("nul first") << "\0q"s
                               << ""s;
    QTest::newRow("sub as trail byte is kept") << "\xB0\x1A"
                                                  "q\x1A"s
                                               << "\xB0\x1A"
                                                  "q"s;
    QTest::newRow("lead byte before nul is dropped") << "q\xB0\0a"s
                                                     << "q"s;
    QTest::newRow("lone lead byte at the end is kept") << "q\xB0"s
                                                       << "q\xB0"s;
}

void TestBankFile::endsTextAtControlBytes()
{
    QFETCH(std::string, content);
    QFETCH(std::string, text);
    QCOMPARE(std::string(bankText(content)), text);
}

void TestBankFile::readsRows_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("blockSize");

    const std::vector<std::tuple<const char*, std::string, Rows>> fixtures = {
        {"crlf at the end", "q1,o1,a1\r\nq2,o2,a2\r\n", {row("1", "q1", "o1", "a1"), row("2", "q2", "o2", "a2")}},
        {"no crlf at the end", "q1,o1,a1\r\nq2,o2,a2", {row("1", "q1", "o1", "a1"), row("2", "q2", "o2", "a2")}},
        {"empty line in the middle", "q1,o1,a1\r\n\r\nq3,o3,a3\r\n",
            {row("1", "q1", "o1", "a1"), {}, row("3", "q3", "o3", "a3")}},
        {"two crlf at the end", "q1,o1,a1\r\n\r\n", {row("1", "q1", "o1", "a1"), {}}},
        {"only crlf", "\r\n", {{}}},
        {"empty file", "", {}},
        {"nul first", "\0q1,o1,a1\r\n"s, {}},
        {"sub first", "\x1Aq1,o1,a1\r\n", {}},
        {"nul inside a line", "q1,o1,a1\r\nq2,o\0,a2\r\nq3\r\n"s,
            {row("1", "q1", "o1", "a1"), row("2", "q2", "o", "")}},
        {"lead byte before nul", "q1,o1,a1\r\nq2\xB0\0,o2\r\n"s, {row("1", "q1", "o1", "a1"), row("2", "q2", "", "")}},
        {"trailing comma", "q1,o1,\r\n", {row("1", "q1", "o1", "")}},
        {"leading comma", ",o1,a1\r\n", {row("1", "", "o1", "a1")}},
        {"five fields", "q1,o1,a1,x,y\r\n", {row("1", "q1", "o1", "a1")}},
        {"no comma", "q1 o1 a1\r\n", {row("1", "q1 o1 a1", "", "")}},
        {"lf only lines", "q1,o1,a1\nq2,o2,a2\nq3\n", {row("1", "q1", "o1", "a1\nq2")}},
        {"duplicates", "q1,o1,a1\r\nq1,o1,a1\r\n", {row("1", "q1", "o1", "a1"), row("2", "q1", "o1", "a1")}},
        {"gbk text", "第一题,甲     乙     丙,甲|丙\r\n", {row("1", "第一题", "甲     乙     丙", "甲|丙")}},
        {"comma as trail byte", "q1\x81,o1,a1\r\n", {row("1", "q1\x81,o1", "a1", "")}},
        {"crlf after lead byte", "q1\x81\r\nq2,o2\r\n", {row("1", "q1\x81\r\nq2", "o2", "")}},
        {"lone lead byte at the end", "q1,o1,a1\xB0", {row("1", "q1", "o1", "a1\xB0")}},
        {"line longer than a block", std::string(5000, 'q') + ",o1,a1\r\nq2\r\n",
            {row("1", std::string(5000, 'q'), "o1", "a1"), row("2", "q2", "", "")}},
    };
    // Small blocks cut lines, line ends and double-byte characters at every place.
    for (const int blockSize : {int(defaultBlockSize), 1, 2, 3, 7}) {
        for (const auto& [name, bytes, rows] : fixtures)
            QTest::addRow("%s, blocks of %d", name, blockSize) << bytes << rows << blockSize;
    }
}

void TestBankFile::readsRows()
{
    QFETCH(std::string, bytes);
    QFETCH(Rows, rows);
    QFETCH(int, blockSize);
    const std::optional<Rows> read = loadBankRows(writeFixture(bytes), {}, size_t(blockSize));
    QVERIFY(read);
    QCOMPARE(*read, rows);
}

void TestBankFile::countsLinesAsProgress()
{
    std::vector<long long> counts;
    const QString path = writeFixture("q1\r\nq2\r\nq3\r\n");
    const std::optional<Rows> read = loadBankRows(
        path, [&counts](long long count) { counts.push_back(count); }, 4);
    QVERIFY(read);
    QVERIFY(std::is_sorted(counts.begin(), counts.end()));
    QVERIFY(!counts.empty());
    QCOMPARE(counts.back(), 3);
}

void TestBankFile::refusesFilesItCannotOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.csv");
    QTest::newRow("folder") << QStringLiteral("folder.csv");
}

void TestBankFile::refusesFilesItCannotOpen()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.csv")));
    const QString path = m_dir.filePath(name);
    const QFileInfo before(path);

    QVERIFY(!loadBankRows(path));
    QVERIFY(!readBankLines(path, [](std::span<const std::string_view>) {}));
    const QFileInfo after(path);
    QCOMPARE(after.exists(), before.exists());
}

void TestBankFile::refusesReadOnlyFile()
{
    const QString path = writeFixture("q1,o1,a1\r\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QFile probe(path);
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("this user may write a read-only file");
    QVERIFY(!loadBankRows(path));
}

void TestBankFile::writesRows_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<Rows>("readBack");

    QTest::newRow("plain rows, numbers not written")
        << Rows {row("7", "q1", "o1     o2", "o1"), row("3", "第二题", "甲     乙", "甲|乙")}
        << "q1,o1     o2,o1\r\n第二题,甲     乙,甲|乙\r\n"s
        << Rows {row("1", "q1", "o1     o2", "o1"), row("2", "第二题", "甲     乙", "甲|乙")};
    QTest::newRow("no rows") << Rows {} << ""s << Rows {};
    QTest::newRow("empty answer") << Rows {row("1", "q1", "o1", "")} << "q1,o1,\r\n"s
                                  << Rows {row("1", "q1", "o1", "")};
    QTest::newRow("empty row") << Rows {{}, row("2", "q2", "o2", "a2")} << ",,\r\nq2,o2,a2\r\n"s
                               << Rows {row("1", "", "", ""), row("2", "q2", "o2", "a2")};
    QTest::newRow("comma in cells becomes full-width")
        << Rows {row("1", "q,1", "o1,", ",a1")} << "q，1,o1，,，a1\r\n"s << Rows {row("1", "q，1", "o1，", "，a1")};
    QTest::newRow("line breaks in cells become spaces")
        << Rows {row("1", "q\r\n1", "o\n1", "a\r1")} << "q  1,o 1,a 1\r\n"s << Rows {row("1", "q  1", "o 1", "a 1")};
    QTest::newRow("comma as trail byte is kept")
        << Rows {row("1", "q\x81,1", "o1", "a1")} << "q\x81,1,o1,a1\r\n"s << Rows {row("1", "q\x81,1", "o1", "a1")};
}

void TestBankFile::writesRows()
{
    QFETCH(Rows, rows);
    QFETCH(std::string, bytes);
    QFETCH(Rows, readBack);

    const std::string text = bankFileText(rows);
    QCOMPARE(text, bytes);
    const QString path = writeFixture("old,old,old\r\n");
    QVERIFY(writeBankFile(path, text));
    QCOMPARE(fileBytes(path), bytes);
    QCOMPARE(loadBankRows(path).value_or(Rows {row("unreadable", "", "", "")}), readBack);
}

void TestBankFile::replacementKeepsPermissionsAndLeavesNoTemporaryFile()
{
    const QString path = writeFixture("old,old,old\r\n");
    const QFileDevice::Permissions permissions
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));

    QVERIFY(writeBankFile(path, "q1,o1,a1\r\n"));
    QCOMPARE(fileBytes(path), "q1,o1,a1\r\n"s);
    // The "user" bits repeat the owner's for the owner; compare the stored bits only.
    const QFileDevice::Permissions userBits = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    QCOMPARE(QFile::permissions(path) & ~userBits, permissions);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("fixture.csv")});
}

void TestBankFile::failedWriteInReadOnlyFolderKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bank.csv"));
    QVERIFY(writeFile(path, "old,old,old\r\n"));
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto restore = qScopeGuard([&dir] {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    if (permissionBitsAreIgnored(dir.path()))
        QSKIP("this user may write into a read-only folder");

    QVERIFY(!writeBankFile(path, "q1,o1,a1\r\n"));
    QCOMPARE(fileBytes(path), "old,old,old\r\n"s);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("bank.csv")});
}

void TestBankFile::failedWriteUnderAFileReportsFailure()
{
    const QString notAFolder = writeFixture("old,old,old\r\n");
    QVERIFY(!writeBankFile(notAFolder + QStringLiteral("/bank.csv"), "q1,o1,a1\r\n"));
    QCOMPARE(fileBytes(notAFolder), "old,old,old\r\n"s);
}

QTEST_GUILESS_MAIN(TestBankFile)
#include "TestBankFile.moc"
