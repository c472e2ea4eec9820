// Generates a deterministic bank of 100,000 questions in a temporary folder and measures, in
// one run: reading and splitting the file with no table (the floor), the import into the bank
// list model, the save, and the memory the loaded bank takes. Prints medians and their ratio
// to the floor.

#include "bank/BankFile.h"
#include "bank/BankSave.h"
#include "bank/Category.h"
#include "bank/QuestionTable.h"

#include "common/StatusReporter.h"
#include "common/TextPrimitives.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int questionCount = 100'000;
constexpr int repetitions = 7;
constexpr double importTargetRatio = 4.0;
constexpr double importTargetMs = 300.0;
constexpr double saveTargetMs = 200.0;
constexpr double memoryTargetRatio = 4.0;

// xorshift64*: the same bank on every machine and library.
class Random final
{
public:
    int between(int low, int high)
    {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }

    std::uint64_t m_state = 0x9E3779B97F4A7C15ULL;
};

// GBK text of about the given length: mostly hanzi (two bytes each), now and then a digit.
std::string gbkText(Random& random, int bytes)
{
    std::string text;
    while (static_cast<int>(text.size()) < bytes) {
        if (random.between(0, 15) == 0) {
            text += static_cast<char>('0' + random.between(0, 9));
        } else {
            text += static_cast<char>(random.between(0xB0, 0xD7));
            text += static_cast<char>(random.between(0xA1, 0xFE));
        }
    }
    return text;
}

std::string bankLine(Random& random)
{
    std::string line = gbkText(random, random.between(60, 120));
    const int optionCount = random.between(2, 5);
    std::vector<std::string> options;
    for (int k = 0; k < optionCount; ++k)
        options.push_back(gbkText(random, random.between(10, 40)));
    line += ',';
    for (int k = 0; k < optionCount; ++k)
        line += (k == 0 ? "" : "     ") + options[static_cast<size_t>(k)];
    line += ',';
    const int answerCount = random.between(0, 3) == 0 ? random.between(2, optionCount) : 1;
    const int first = random.between(0, optionCount - answerCount);
    for (int k = 0; k < answerCount; ++k)
        line += (k == 0 ? "" : "|") + options[static_cast<size_t>(first + k)];
    return line + "\r\n";
}

// Written in pieces, so generating the bank does not raise the program's peak memory.
qint64 writeBank(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    Random random;
    std::string chunk;
    qint64 size = 0;
    for (int i = 0; i < questionCount; ++i) {
        chunk += bankLine(random);
        if (chunk.size() > (1 << 20) || i + 1 == questionCount) {
            size += file.write(chunk.data(), static_cast<qint64>(chunk.size()));
            chunk.clear();
        }
    }
    return size;
}

struct Memory
{
    long long residentKb = 0;
    long long peakKb = 0;
};

Memory readMemory()
{
    Memory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        long long* const field = line.starts_with("VmRSS:") ? &memory.residentKb
            : line.starts_with("VmHWM:")                    ? &memory.peakKb
                                                            : nullptr;
        if (field)
            *field = std::stoll(line.substr(line.find(':') + 1));
    }
    return memory;
}

// Sets the peak (VmHWM) back to the resident size, so the next reading shows one step's peak.
bool resetPeak()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    return static_cast<bool>(clearRefs.flush());
}

class SilentStatus final : public StatusReporter
{
public:
    void showProgress(const std::string&) override { }
    void showStamped(const std::string& message) override { last = message; }

    std::string last;
};

template <typename Step> double medianMs(Step step)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor: the file read and cut into lines and fields, no rows built.
size_t readAndSplit(const QString& path)
{
    size_t fields = 0;
    readBankLines(path, [&fields](std::span<const std::string_view> lines) {
        for (const std::string_view line : lines)
            fields += splitTextViews(line, ",").size();
    });
    return fields;
}

void loadInto(QuestionTable& bank, const QString& path)
{
    bank.deleteAllRows();
    std::optional<std::vector<QuestionRow>> rows = loadBankRows(path);
    bank.appendRows(std::move(rows.value()));
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

double megabytes(long long bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Category& category = categories.front();
    const QString path = bankFilePath(dir.path(), category.caption);
    const qint64 fileSize = writeBank(path);
    if (!dir.isValid() || fileSize <= 0 || !QFile::copy(path, dir.filePath(QStringLiteral("original.csv")))) {
        std::fprintf(stderr, "cannot write the bank in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::printf(
        "bank: %d questions, %.1f MB, %d runs each, medians\n", questionCount, megabytes(fileSize), repetitions);

    QuestionTable bank(QuestionTable::Layout::Standard);
    const Memory empty = readMemory();
    const bool peakReset = resetPeak();
    const auto firstStart = std::chrono::steady_clock::now();
    loadInto(bank, path);
    const double firstImportMs
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - firstStart).count();
    const Memory loaded = readMemory();
    const long long peakKb = loaded.peakKb - empty.residentKb;
    const double fileKb = static_cast<double>(fileSize) / 1024.0;

    size_t fields = 0;
    const double floorMs = medianMs([&] { fields = readAndSplit(path); });
    const double importMs = medianMs([&] { loadInto(bank, path); });
    SilentStatus status;
    const double saveMs = medianMs([&] { saveCategoryBank(category, dir.path(), bank, status); });

    QFile saved(path);
    QFile original(dir.filePath(QStringLiteral("original.csv")));
    const bool roundTrip = saved.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly)
        && saved.readAll() == original.readAll() && bank.rowCount() == questionCount;

    std::printf("floor  (read + split into %zu fields): %7.1f ms\n", fields, floorMs);
    std::printf(
        "import (rows in a QuestionTable)       : %7.1f ms  %.2f x floor   target <= %.0f x and < %.0f ms: %s\n",
        importMs, importMs / floorMs, importTargetRatio, importTargetMs,
        verdict(importMs <= importTargetRatio * floorMs && importMs < importTargetMs));
    std::printf("first import of the run (fresh memory)  : %7.1f ms\n", firstImportMs);
    std::printf("save   (text + safe write)             : %7.1f ms  %.2f x floor   target < %.0f ms: %s\n", saveMs,
        saveMs / floorMs, saveTargetMs, verdict(saveMs < saveTargetMs));
    std::printf("memory: empty program %.1f MB resident; with the bank loaded %.1f MB resident (+%.1f MB)\n",
        empty.residentKb / 1024.0, loaded.residentKb / 1024.0, (loaded.residentKb - empty.residentKb) / 1024.0);
    std::printf("        peak while loading +%.1f MB = %.2f x file%s   target < %.0f x: %s\n", peakKb / 1024.0,
        peakKb / fileKb, peakReset ? "" : " (peak not resettable: since start)", memoryTargetRatio,
        verdict(peakKb < memoryTargetRatio * fileKb));
    std::printf("saved file equals the generated one: %s\n", roundTrip ? "yes" : "NO");
    return roundTrip ? 0 : 1;
}
