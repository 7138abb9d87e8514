#pragma once
// The one blocking HTTP GET the program makes (the version request).
#include "rtl/System.h"

#include <QByteArray>

#include <vector>

namespace platform {

struct THttpHeader {
    String Name;
    String Value;
};
using THttpHeaders = std::vector<THttpHeader>;

// Answers larger than this are treated as a failure.
inline constexpr qsizetype HttpMaxBodySize = 16 * 1024 * 1024;

// GETs Url with HTTP/1.0, no proxy, no cookies and no TLS, sending exactly
// the given headers (besides Host). Connection time-out 5 s, whole request
// 15 s, redirects not followed. Any failure (name not resolved, refused,
// time-out, a status other than 2xx, an answer over HttpMaxBodySize) gives
// an empty answer; nothing is raised.
QByteArray HttpGet(const String& Url, const THttpHeaders& Headers);

} // namespace platform
