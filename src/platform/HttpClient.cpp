#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace platform {

namespace {

constexpr long HttpConnectTimeoutMs = 5000;
constexpr long HttpTotalTimeoutMs = 15000;

void HttpGlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct THttpBody {
    QByteArray Data;
    bool TooLarge = false;
};

size_t HttpWriteBody(char* Ptr, size_t Size, size_t Count, void* User)
{
    auto* body = static_cast<THttpBody*>(User);
    const size_t n = Size * Count;
    if (body->Data.size() + qsizetype(n) > HttpMaxBodySize) {
        body->TooLarge = true;
        return 0; // makes curl abort the transfer
    }
    body->Data.append(Ptr, qsizetype(n));
    return n;
}

struct TCurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TSListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

QByteArray HttpGet(const String& Url, const THttpHeaders& Headers)
{
    HttpGlobalInit();
    std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {};

    // curl adds "Accept: */*" of its own unless told otherwise; only the
    // caller's headers go out.
    bool hasAccept = false;
    std::unique_ptr<curl_slist, TSListDeleter> list;
    auto append = [&list](const QByteArray& line) {
        curl_slist* grown = curl_slist_append(list.get(), line.constData());
        if (!grown)
            return false;
        list.release();
        list.reset(grown);
        return true;
    };
    for (const THttpHeader& h : Headers) {
        const QByteArray name = h.Name.trimmed().toLatin1();
        if (name.isEmpty())
            continue;
        if (name.compare("Accept", Qt::CaseInsensitive) == 0)
            hasAccept = true;
        // "Name;" sends a header with an empty value; "Name:" would drop it.
        const QByteArray value = h.Value.toLatin1();
        if (!append(value.isEmpty() ? name + ';' : name + ": " + value))
            return {};
    }
    if (!hasAccept && !append("Accept:"))
        return {};

    const QByteArray url = Url.toUtf8();
    THttpBody body;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, HttpConnectTimeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, HttpTotalTimeoutMs);
    // No signals: the resolver time-out must not use SIGALRM in a GUI program.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, HttpWriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);

    if (curl_easy_perform(c) != CURLE_OK || body.TooLarge)
        return {};
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status >= 300)
        return {};
    return body.Data;
}

} // namespace platform
