#pragma once

#include <string>

// A calendar date and time of day to the second, years 100 to 9999, Gregorian.
struct DateTime
{
    int year = 100;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The web server asked for the time: its home page over plain HTTP answers a HEAD request
// with a Date header.
extern const char* const defaultTimeServer;

// The server's Date header shifted to UTC+8; 100-01-01 08:00:00 when there is no usable
// answer. Every call makes its own request.
DateTime networkTime(const std::string& address = defaultTimeServer);

// The stamp text of a date-time: "2022年3月23日10时51分32秒", shorter when seconds, minutes
// or hours are zero ("2022年3月24日" at midnight).
std::string timeStampText(const DateTime& time);

// timeStampText of networkTime.
std::string timeStamp(const std::string& address = defaultTimeServer);
