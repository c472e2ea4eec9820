#include "BankFile.h"

#include "common/NumberText.h"
#include "common/TextPrimitives.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view fieldDelimiter = ",";
constexpr size_t storedFields = 3;

// A cell as the reader will see it again: delimiters at character boundaries are replaced.
void appendCell(std::string& text, std::string_view cell)
{
    if (cell.find_first_of(",\r\n") == std::string_view::npos) {
        text += cell;
        return;
    }
    text += replaceMany(cell, {{",", "，"}, {"\r", " "}, {"\n", " "}});
}

// The lines of the whole file, judged from its first lines, with some room to spare: growing
// the row vector of a large bank would copy every row once more.
size_t estimatedLineCount(std::span<const std::string_view> firstLines, qint64 fileSize)
{
    const auto* first = firstLines.front().data();
    const auto* last = firstLines.back().data() + firstLines.back().size();
    const double averageLine = static_cast<double>(last - first + lineEnd.size()) / firstLines.size();
    return static_cast<size_t>(static_cast<double>(fileSize) / averageLine * 1.25) + firstLines.size();
}

} // namespace

std::string_view bankText(std::string_view content)
{
    size_t i = 0;
    while (i < content.size()) {
        const char c = content[i];
        if (c == '\0' || c == '\x1A')
            break;
        if (isLeadByte(c)) {
            if (i + 1 < content.size() && content[i + 1] == '\0')
                break;
            i += 2;
        } else {
            ++i;
        }
    }
    return content.substr(0, std::min(i, content.size()));
}

bool readBankLines(const QString& path, const LineBatchCallback& onLines, size_t blockSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    // The unfinished last line of a block, then the next block. It starts at a line start, so
    // it is cut at the same character boundaries as the whole text would be.
    std::string buffer;
    for (;;) {
        const size_t kept = buffer.size();
        // A line longer than a block doubles the read, so it is not scanned again and again.
        const size_t block = std::max(blockSize, kept);
        buffer.resize(kept + block);
        const qint64 got = file.read(buffer.data() + kept, static_cast<qint64>(block));
        // A bank cut short by a read error would be saved back cut short: treat it as unreadable.
        if (got < 0)
            return false;
        buffer.resize(kept + static_cast<size_t>(got));

        const std::string_view text = bankText(buffer);
        std::vector<std::string_view> lines = splitTextViews(text, lineEnd);
        if (got == 0 || text.size() < buffer.size()) {
            onLines(lines);
            return true;
        }
        // A last line that reaches the end of the block may go on in the next one.
        size_t done = text.size();
        if (!lines.empty() && lines.back().data() + lines.back().size() == text.data() + text.size()) {
            done = static_cast<size_t>(lines.back().data() - text.data());
            lines.pop_back();
        }
        onLines(lines);
        buffer.erase(0, done);
    }
}

void appendLineRows(std::span<const std::string_view> lines, std::vector<QuestionRow>& rows)
{
    for (const std::string_view line : lines) {
        QuestionRow& row = rows.emplace_back();
        const std::vector<std::string_view> fields = splitTextViews(line, fieldDelimiter);
        if (!fields.empty())
            row.number = integerText(static_cast<long long>(rows.size()));
        std::string* const cells[storedFields] = {&row.question, &row.options, &row.answer};
        for (size_t k = 0; k < std::min(fields.size(), storedFields); ++k)
            cells[k]->assign(fields[k]);
    }
}

std::optional<std::vector<QuestionRow>> loadBankRows(
    const QString& path, const ProgressCallback& progress, size_t blockSize)
{
    std::vector<QuestionRow> rows;
    const qint64 fileSize = QFileInfo(path).size();
    const bool opened = readBankLines(
        path,
        [&](std::span<const std::string_view> lines) {
            if (rows.empty() && !lines.empty())
                rows.reserve(estimatedLineCount(lines, fileSize));
            appendLineRows(lines, rows);
            if (progress && !lines.empty())
                progress(static_cast<long long>(rows.size()));
        },
        blockSize);
    if (!opened)
        return std::nullopt;
    return rows;
}

std::string bankFileText(const std::vector<QuestionRow>& rows, const ProgressCallback& progress)
{
    size_t size = 0;
    for (const QuestionRow& row : rows)
        size += row.question.size() + row.options.size() + row.answer.size() + 4;
    std::string text;
    text.reserve(size);
    long long done = 0;
    for (const QuestionRow& row : rows) {
        appendCell(text, row.question);
        text += fieldDelimiter;
        appendCell(text, row.options);
        text += fieldDelimiter;
        appendCell(text, row.answer);
        text += lineEnd;
        if (progress)
            progress(++done);
    }
    return text;
}

bool writeBankFile(const QString& path, std::string_view text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Without a commit the temporary file is discarded and the old file stays.
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        return false;
    return file.commit();
}
