#pragma once

// The published version notice: a GBK text file that names the latest version as
// 最新版本【V20220322】 somewhere in its text.

#include <string>
#include <string_view>

// The version of this build.
extern const char* const builtInVersion;

// Where the notice is published.
extern const char* const defaultNoticeAddress;

// The page that offers the latest version for download.
extern const char* const downloadPageAddress;

// The version the notice names, read from its bytes up to the first zero byte; empty when
// the markers are missing.
std::string publishedVersion(std::string_view notice);

// Downloads the notice and tells whether it names a version other than this build's, in
// which case the window gives way to the download panel. A failed download, or a notice
// that names no version, asks for nothing. Blocks for up to the download's time-out, so
// call it off the window's thread.
bool checkLatestVersion(const std::string& noticeAddress = defaultNoticeAddress);
