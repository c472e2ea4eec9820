#include "LocalHttpServer.h"
#include "net/VersionNotice.h"

#include <QTest>

#include <string_view>

using namespace std::string_view_literals;

namespace {

// Narrow literals are GBK bytes, as the published notice is.
QByteArray gbk(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class TestVersionNotice final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void judgesNotice_data();
    void judgesNotice();
    void failedDownloadAsksForNothing();
    void asksPastCaches();

private:
    LocalHttpServer m_server;
};

void TestVersionNotice::initTestCase()
{
    QVERIFY(m_server.start());
}

void TestVersionNotice::init()
{
    m_server.clearRequests();
}

void TestVersionNotice::judgesNotice_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("notice");
    QTest::addColumn<bool>("differs");

    QTest::newRow("same version") << 200 << gbk("公告\r\n最新版本【V20220322】\r\n") << false;
    QTest::newRow("other version") << 200 << gbk("最新版本【V20220401】") << true;
    QTest::newRow("compared exactly") << 200 << gbk("最新版本【 V20220322】") << true;
    QTest::newRow("first of two entries, same") << 200 << gbk("最新版本【V20220322】最新版本【V20220401】") << false;
    QTest::newRow("first of two entries, other") << 200 << gbk("最新版本【V20220401】最新版本【V20220322】") << true;
    QTest::newRow("no markers") << 200 << gbk("版本 V20220401") << false;
    QTest::newRow("zero byte before the markers") << 200 << gbk("公告\0最新版本【V20220401】"sv) << false;
    QTest::newRow("zero byte after the markers") << 200 << gbk("最新版本【V20220401】\0"sv) << true;
    QTest::newRow("empty notice") << 200 << QByteArray() << false;
    QTest::newRow("empty version") << 200 << gbk("最新版本【】") << false;
    QTest::newRow("UTF-8 notice") << 200 << QStringLiteral("最新版本【V20220401】").toUtf8() << false;
    QTest::newRow("error page") << 404 << gbk("最新版本【V20220401】") << false;
}

void TestVersionNotice::judgesNotice()
{
    QFETCH(int, status);
    QFETCH(QByteArray, notice);
    QFETCH(bool, differs);

    LocalHttpServer::Response response;
    response.status = status;
    response.body = notice;
    m_server.setRoute("/notice.txt", response);
    QCOMPARE(checkLatestVersion(m_server.url("/notice.txt")), differs);
}

void TestVersionNotice::failedDownloadAsksForNothing()
{
    QCOMPARE(checkLatestVersion(LocalHttpServer::unusedAddress("/notice.txt")), false);
}

void TestVersionNotice::asksPastCaches()
{
    checkLatestVersion(m_server.url("/notice.txt"));
    const QList<LocalHttpServer::Request> sent = m_server.requests();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().method(), QByteArray("GET"));
    QCOMPARE(sent.first().header("Cache-Control"), QByteArray("no-cache"));
    QCOMPARE(sent.first().header("Pragma"), QByteArray("no-cache"));
}

QTEST_GUILESS_MAIN(TestVersionNotice)
#include "TestVersionNotice.moc"
