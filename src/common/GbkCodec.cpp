#include "GbkCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

// iconv descriptors carry conversion state, so each thread keeps its own pair.
class IconvHandle final
{
public:
    IconvHandle(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (m_handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_handle);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    iconv_t get() const { return m_handle; }

private:
    iconv_t m_handle;
};

// Converts as much as iconv accepts; calls onInvalid for the bytes it refuses and goes on.
template <typename OnInvalid>
std::string convert(iconv_t handle, std::string_view input, OnInvalid onInvalid)
{
    std::string output;
    output.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t written = 0;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char* out = output.data() + written;
        size_t outLeft = output.size() - written;
        const size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        written = output.size() - outLeft;
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
        } else {
            // EILSEQ or EINVAL: let the caller substitute, then skip the refused unit.
            const size_t skipped = onInvalid(output, written, in, inLeft);
            in += skipped;
            inLeft -= skipped;
        }
    }
    output.resize(written);
    return output;
}

void appendAt(std::string& output, size_t& written, std::string_view piece)
{
    output.resize(std::max(output.size(), written + piece.size() + 16));
    output.replace(written, piece.size(), piece);
    written += piece.size();
}

} // namespace

QString fromGbk(std::string_view bytes)
{
    thread_local IconvHandle decoder("UTF-16LE", "GBK");
    const std::string utf16 = convert(decoder.get(), bytes, [](std::string& out, size_t& written, char*, size_t) {
        appendAt(out, written, std::string_view("\xFD\xFF", 2)); // U+FFFD, little endian
        return size_t{1};
    });
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size() / 2));
}

std::string toGbk(const QString& text)
{
    thread_local IconvHandle encoder("GBK", "UTF-16LE");
    const std::string_view utf16(reinterpret_cast<const char*>(text.utf16()), static_cast<size_t>(text.size()) * 2);
    return convert(encoder.get(), utf16, [](std::string& out, size_t& written, char* in, size_t inLeft) {
        appendAt(out, written, "?");
        // Skip a whole surrogate pair so that one character gives one "?".
        const auto unit = static_cast<unsigned char>(in[1]);
        const bool highSurrogate = inLeft >= 4 && unit >= 0xD8 && unit <= 0xDB;
        return std::min(inLeft, size_t{highSurrogate ? 4u : 2u});
    });
}
