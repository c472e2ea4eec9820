#pragma once

// Text routines over GBK byte strings. Positions are 1-based byte positions and a search
// that finds nothing gives -1. Searches step by characters: a byte of 0x80 or above leads
// a two-byte character, so a marker is never found inside one. Cutting counts bytes.

#include <string>
#include <string_view>
#include <vector>

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
