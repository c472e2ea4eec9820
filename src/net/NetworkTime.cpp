#include "NetworkTime.h"

#include "HttpRequest.h"
#include "common/NumberText.h"
#include "common/TextPrimitives.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <string_view>

const char* const defaultTimeServer = "http://www.baidu.com/";

namespace {

constexpr int hoursEastOfUtc = 8;

// The date fields as read from the header; those that could not be read stay 0.
struct CalendarFields
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reads a date of the form "Wed, 23 Mar 2022 02:51:32 GMT" from the left. Numbers are taken
// as written, also out of range; checking them is the caller's business.
class HttpDateReader final
{
public:
    explicit HttpDateReader(std::string_view text)
        : m_text(text)
    {
    }

    // All fields, or none when the text is not such a date.
    CalendarFields read()
    {
        CalendarFields fields;
        const bool complete = skipWeekday() && readNumber(fields.day) && readMonth(fields.month)
            && readNumber(fields.year) && readNumber(fields.hour) && expect(':') && readNumber(fields.minute)
            && expect(':') && readNumber(fields.second);
        return complete ? fields : CalendarFields();
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }

    std::string_view word()
    {
        skipBlanks();
        const size_t start = m_pos;
        while (m_pos < m_text.size() && isAsciiLetter(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }

    bool expect(char c)
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    bool skipWeekday() { return !word().empty() && expect(','); }

    bool readNumber(int& field)
    {
        skipBlanks();
        const char* begin = m_text.data() + m_pos;
        const char* end = m_text.data() + m_text.size();
        if (begin == end || *begin < '0' || *begin > '9')
            return false;
        const auto [next, error] = std::from_chars(begin, end, field);
        if (error != std::errc())
            return false;
        m_pos += static_cast<size_t>(next - begin);
        return true;
    }

    bool readMonth(int& field)
    {
        static constexpr std::array<std::string_view, 12> names
            = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        const auto found = std::find(names.begin(), names.end(), word());
        if (found == names.end())
            return false;
        field = static_cast<int>(found - names.begin()) + 1;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

DateTime clamped(const CalendarFields& fields)
{
    using namespace std::chrono;
    DateTime time;
    time.year = std::clamp(fields.year, 100, 9999);
    time.month = std::clamp(fields.month, 1, 12);
    const year_month_day_last lastOfMonth(year(time.year), month_day_last(month(static_cast<unsigned>(time.month))));
    time.day = std::min(std::clamp(fields.day, 1, 31), static_cast<int>(static_cast<unsigned>(lastOfMonth.day())));
    time.hour = std::clamp(fields.hour, 0, 23);
    time.minute = std::clamp(fields.minute, 0, 59);
    time.second = std::clamp(fields.second, 0, 59);
    return time;
}

DateTime hoursLater(const DateTime& time, int hoursToAdd)
{
    using namespace std::chrono;
    const sys_days date = year_month_day(
        year(time.year), month(static_cast<unsigned>(time.month)), day(static_cast<unsigned>(time.day)));
    const sys_seconds later = date + hours(time.hour + hoursToAdd) + minutes(time.minute) + seconds(time.second);
    const sys_days laterDate = floor<days>(later);
    const year_month_day laterDay(laterDate);
    const hh_mm_ss clock(later - laterDate);
    DateTime result;
    result.year = static_cast<int>(laterDay.year());
    result.month = static_cast<int>(static_cast<unsigned>(laterDay.month()));
    result.day = static_cast<int>(static_cast<unsigned>(laterDay.day()));
    result.hour = static_cast<int>(clock.hours().count());
    result.minute = static_cast<int>(clock.minutes().count());
    result.second = static_cast<int>(clock.seconds().count());
    return result;
}

} // namespace

DateTime networkTime(const std::string& address)
{
    HttpRequest request;
    request.address = address;
    request.methodIndex = httpHead;
    const std::string headers = httpRequest(request).headers;
    // The first "Date:" exactly so written; a server writing "date:" gives no time.
    const std::string date = textBetween(headers, "Date:", "\r\n");
    return hoursLater(clamped(HttpDateReader(date).read()), hoursEastOfUtc);
}

std::string timeStampText(const DateTime& time)
{
    std::string text = integerText(time.year) + "年" + integerText(time.month) + "月" + integerText(time.day) + "日";
    if (time.second != 0)
        text += integerText(time.hour) + "时" + integerText(time.minute) + "分" + integerText(time.second) + "秒";
    else if (time.minute != 0)
        text += integerText(time.hour) + "时" + integerText(time.minute) + "分";
    else if (time.hour != 0)
        text += integerText(time.hour) + "时";
    return text;
}

std::string timeStamp(const std::string& address)
{
    return timeStampText(networkTime(address));
}
