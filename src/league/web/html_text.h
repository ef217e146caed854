#pragma once
// Text placed into the league's HTML: what players send (names) escaped for element
// content and attribute values, and ids made safe as one segment of a URL path.
#include <string>
#include <string_view>

namespace league {

// & < > " ' as character references: the text stays text in element content and in an
// attribute value quoted with either quote.
std::string EscapeHtml(std::string_view text);

// Every byte but the unreserved ones (A-Z a-z 0-9 - . _ ~) as %XX, so the text stays one
// segment of a path whatever it holds ('/', '?', '#', spaces). Escape the result with
// EscapeHtml as well when it goes into an attribute.
std::string UrlPathSegment(std::string_view text);

}  // namespace league
