#pragma once

// The text rules of HTTP header and cookie texts. Header texts hold "Name: value" lines
// separated by CR LF; cookie texts hold name=value pieces separated by "; ".

#include <string>
#include <string_view>

// The trimmed bytes before, and after, the first ":" of a line; both empty without a colon.
std::string headerName(std::string_view line);
std::string headerValue(std::string_view line);

// The trimmed bytes before the first "=" of a cookie piece, or the whole trimmed piece.
std::string cookieName(std::string_view piece);

// Starts each "-"-separated piece of every header name with an upper-case letter
// ("x-requested-with" becomes "X-Requested-With"; the other letters keep their case) and
// drops the lines without a colon. The lines come back separated by CR LF.
std::string normaliseHeaderNames(std::string_view headers);

// Appends the default request headers the text does not name yet (looked for anywhere in it,
// ignoring case): Accept, Referer (the address), Accept-Language, User-Agent and, for a form
// post, Content-Type.
std::string withDefaultHeaders(std::string_view headers, std::string_view address, bool isPost);

// The cookies a response sets, from the Set-Cookie lines of its header text.
std::string responseCookies(std::string_view headers);

// The received cookies first, then the sent ones the response did not name, in their order;
// cookies the server deleted ("name=deleted") are dropped and each piece is kept once.
std::string mergeCookies(std::string_view sent, std::string_view received);

// The pieces of the text at their first occurrence only, in order.
std::string uniquePieces(std::string_view text, std::string_view delimiter);
