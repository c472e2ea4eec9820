#include "LocalHttpServer.h"
#include "common/GbkCodec.h"
#include "net/NetworkTime.h"

#include <QTest>

// Header lines, one per entry, without CR LF.
using Lines = QList<QByteArray>;

namespace QTest {
template <> char* toString(const DateTime& time)
{
    return qstrdup(QString::asprintf(
        "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour, time.minute, time.second)
                       .toLatin1()
                       .constData());
}
} // namespace QTest

namespace {

DateTime dateTime(int year, int month, int day, int hour, int minute, int second)
{
    DateTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

} // namespace

class TestNetworkTime final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void readsServerTime_data();
    void readsServerTime();
    void asksAgainOnEveryCall();
    void noAnswerGivesYearHundred();

private:
    LocalHttpServer m_server;
};

void TestNetworkTime::initTestCase()
{
    QVERIFY(m_server.start());
}

void TestNetworkTime::init()
{
    m_server.clearRequests();
}

void TestNetworkTime::readsServerTime_data()
{
    QTest::addColumn<Lines>("headers");
    QTest::addColumn<DateTime>("time");
    QTest::addColumn<std::string>("stamp");

    const DateTime yearHundred = dateTime(100, 1, 1, 8, 0, 0);

    QTest::newRow("seconds") << Lines {"Date: Wed, 23 Mar 2022 02:51:32 GMT"} << dateTime(2022, 3, 23, 10, 51, 32)
                             << std::string("2022年3月23日10时51分32秒");
    QTest::newRow("minutes") << Lines {"Date: Wed, 23 Mar 2022 02:51:00 GMT"} << dateTime(2022, 3, 23, 10, 51, 0)
                             << std::string("2022年3月23日10时51分");
    QTest::newRow("hours") << Lines {"Date: Wed, 23 Mar 2022 02:00:00 GMT"} << dateTime(2022, 3, 23, 10, 0, 0)
                           << std::string("2022年3月23日10时");
    QTest::newRow("midnight") << Lines {"Date: Wed, 23 Mar 2022 16:00:00 GMT"} << dateTime(2022, 3, 24, 0, 0, 0)
                              << std::string("2022年3月24日");
    QTest::newRow("seconds after midnight") << Lines {"Date: Wed, 23 Mar 2022 16:00:05 GMT"}
                                            << dateTime(2022, 3, 24, 0, 0, 5) << std::string("2022年3月24日0时0分5秒");
    QTest::newRow("new-year carry") << Lines {"Date: Sat, 31 Dec 2022 20:30:00 GMT"} << dateTime(2023, 1, 1, 4, 30, 0)
                                    << std::string("2023年1月1日4时30分");
    QTest::newRow("leap day") << Lines {"Date: Wed, 28 Feb 2024 18:00:00 GMT"} << dateTime(2024, 2, 29, 2, 0, 0)
                              << std::string("2024年2月29日2时");
    QTest::newRow("no leap day in 2023") << Lines {"Date: Tue, 28 Feb 2023 18:00:00 GMT"}
                                         << dateTime(2023, 3, 1, 2, 0, 0) << std::string("2023年3月1日2时");
    QTest::newRow("no leap day in 2100") << Lines {"Date: Sun, 28 Feb 2100 18:00:00 GMT"}
                                         << dateTime(2100, 3, 1, 2, 0, 0) << std::string("2100年3月1日2时");
    QTest::newRow("fields forced into range")
        << Lines {"Date: Mon, 31 Feb 2022 25:70:99 GMT"} << dateTime(2022, 3, 1, 7, 59, 59)
        << std::string("2022年3月1日7时59分59秒");
    QTest::newRow("year below 100") << Lines {"Date: Mon, 01 Jan 0050 00:00:00 GMT"} << yearHundred
                                    << std::string("100年1月1日8时");
    QTest::newRow("first of two Date lines")
        << Lines {"Server: test", "Date: Wed, 23 Mar 2022 02:51:32 GMT", "Date: Thu, 24 Mar 2022 02:51:32 GMT"}
        << dateTime(2022, 3, 23, 10, 51, 32) << std::string("2022年3月23日10时51分32秒");
    QTest::newRow("lower-case date header")
        << Lines {"date: Wed, 23 Mar 2022 02:51:32 GMT"} << yearHundred << std::string("100年1月1日8时");
    QTest::newRow("no Date header") << Lines {"Server: test"} << yearHundred << std::string("100年1月1日8时");
    QTest::newRow("unreadable date") << Lines {"Date: yesterday"} << yearHundred << std::string("100年1月1日8时");
}

void TestNetworkTime::readsServerTime()
{
    QFETCH(Lines, headers);
    QFETCH(DateTime, time);
    QFETCH(std::string, stamp);

    LocalHttpServer::Response response;
    response.headers = headers;
    m_server.setRoute("/", response);
    const DateTime received = networkTime(m_server.url("/"));
    QCOMPARE(received, time);
    QCOMPARE(fromGbk(timeStampText(received)), fromGbk(stamp));
}

void TestNetworkTime::asksAgainOnEveryCall()
{
    LocalHttpServer::Response response;
    response.headers = {"Date: Wed, 23 Mar 2022 02:51:32 GMT"};
    m_server.setRoute("/", response);
    QCOMPARE(fromGbk(timeStamp(m_server.url("/"))), QStringLiteral("2022年3月23日10时51分32秒"));
    response.headers = {"Date: Wed, 23 Mar 2022 02:51:33 GMT"};
    m_server.setRoute("/", response);
    QCOMPARE(fromGbk(timeStamp(m_server.url("/"))), QStringLiteral("2022年3月23日10时51分33秒"));

    const QList<LocalHttpServer::Request> sent = m_server.requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.first().method(), QByteArray("HEAD"));
}

void TestNetworkTime::noAnswerGivesYearHundred()
{
    QCOMPARE(fromGbk(timeStamp(LocalHttpServer::unusedAddress())), QStringLiteral("100年1月1日8时"));
}

QTEST_GUILESS_MAIN(TestNetworkTime)
#include "TestNetworkTime.moc"
