#pragma once

// Text routines over GBK byte strings. Positions are 1-based byte positions and a search
// that finds nothing gives -1. Searches step by characters: a byte of 0x80 or above leads
// a two-byte character, so a marker is never found inside one. Cutting counts bytes.

#include <string>
#include <string_view>
#include <vector>

// True for a byte that leads a two-byte character. Inline: every scan asks it at each character.
inline bool isLeadByte(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

// Bytes taken by the character at byte index i: 2 for a lead byte with a byte after it, else 1.
inline size_t charLength(std::string_view text, size_t i)
{
    return isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}
// The longest start of the text of at most maxBytes bytes that ends at a character boundary.
std::string_view leadingChars(std::string_view text, size_t maxBytes);
// Equal bytes, where the ASCII letters A-Z and a-z also match their other case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

int findText(std::string_view text, std::string_view search, int start = 1, bool ignoreCase = false);

std::string replaceText(std::string_view text, std::string_view search, std::string_view replacement = {},
                        int start = 1, int count = -1, bool caseSensitive = true);

std::string textLeft(std::string_view text, int n);
std::string textRight(std::string_view text, int n);
std::string textMid(std::string_view text, int start, int n);

// Drops half-width spaces and full-width spaces (0xA1 0xA1) at both ends; tabs and line breaks stay.
std::string trimSpaces(std::string_view text);

// Pieces between the delimiters. An empty text gives no pieces; an empty piece between two
// delimiters or before a leading one counts; a delimiter at the very end adds no piece.
std::vector<std::string> splitText(std::string_view text, std::string_view delimiter);
// The same pieces as views into the text, for callers that split large texts.
std::vector<std::string_view> splitTextViews(std::string_view text, std::string_view delimiter);

// Written inside a marker of textBetween to stand for a double quote.
inline constexpr std::string_view quotePlaceholder = "#引号";

std::string textBetween(std::string_view text, std::string_view leftMarker, std::string_view rightMarker,
                        int start = 0, bool ignoreCase = false);

// One find-and-replace pair of replaceMany; an empty find text changes nothing.
struct Replacement
{
    std::string_view find;
    std::string_view replacement;
};

// Applies up to five pairs in order, each to the result of the one before. A count below 0
// stands for "not given": every occurrence is replaced.
std::string replaceMany(std::string_view text, std::initializer_list<Replacement> pairs, int count = -1,
                        int start = 0, bool caseSensitive = false);

std::string dropLastChars(std::string_view text, int n);

std::string base64Encode(std::string_view bytes);
