#pragma once

// The bank file: one question a line, "question,options,answer\r\n", GBK bytes as they are,
// no header, no quoting, no number column (rows are numbered when read).

#include "QuestionRow.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Called with the count of lines (or rows) done so far.
using ProgressCallback = std::function<void(long long count)>;

// The part of the content that counts as text: it ends before the first 0x00 or 0x1A met
// while stepping by characters, or before a lead byte that is followed by 0x00.
std::string_view bankText(std::string_view content);

// Hands over the lines ("\r\n") of an existing bank file's text in order, a batch at a time.
// The file is opened for reading and writing without being created, so a missing or read-only
// file gives false, and so does a read error (then some lines may have been handed over). It is read in blocks of at least blockSize bytes, never whole, so a large
// bank does not hold its file and its rows in memory at once.
using LineBatchCallback = std::function<void(std::span<const std::string_view> lines)>;
inline constexpr size_t defaultBlockSize = 1 << 20;
bool readBankLines(const QString& path, const LineBatchCallback& onLines, size_t blockSize = defaultBlockSize);

// One row per line: fields at ",", the fourth and later fields dropped. Column 0 is the row's
// 1-based position in rows, written only for a line with at least one field, so an empty line
// gives a row of four empty cells.
void appendLineRows(std::span<const std::string_view> lines, std::vector<QuestionRow>& rows);

// The rows of a bank file; nothing when it cannot be opened. Progress counts the lines read.
std::optional<std::vector<QuestionRow>> loadBankRows(
    const QString& path, const ProgressCallback& progress = {}, size_t blockSize = defaultBlockSize);

// Columns 1 to 3 of each row joined by "," and ended by "\r\n". A cell cannot carry the
// delimiters, so a "," in a cell is written as "，" and a CR or LF as a space: every row
// stays on its own line and reads back with its columns in place.
std::string bankFileText(const std::vector<QuestionRow>& rows, const ProgressCallback& progress = {});

// Replaces the file with the text through a temporary file beside it, keeping the old file's
// permissions. On failure the old file is left as it was and the result is false.
bool writeBankFile(const QString& path, std::string_view text);
