#include "tmupserver.h"

#include "jsontext.h"

#include <curl/curl.h>

#include <QFile>

#include <cstdio>
#include <memory>
#include <mutex>

namespace tmupserver {

namespace {

const char *const kTypeNames[PackageTypeCount] = {"kernel", "control", "library", "software"};

// A JSON reply larger than this is not an update list.
constexpr size_t kMaxReplyBytes = 1 << 20;

void log(int line, const std::string &text)
{
    std::fprintf(stderr, "tmupserver.cpp:%d %s\n", line, text.c_str());
}

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// One easy handle with the settings every request shares.
class Request {
public:
    Request(const std::string &url, const std::string &caFile)
    {
        globalInit();
        m_handle = curl_easy_init();
        if (!m_handle)
            return;
        m_error[0] = '\0';
        curl_easy_setopt(m_handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_handle, CURLOPT_ERRORBUFFER, m_error);
        // Worker threads: no signals for name-lookup time-outs.
        curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(m_handle, CURLOPT_PROTOCOLS_STR, "https");
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!caFile.empty())
            curl_easy_setopt(m_handle, CURLOPT_CAINFO, caFile.c_str());
        curl_easy_setopt(m_handle, CURLOPT_CONNECTTIMEOUT, 15L);
        // A transfer that moves nothing for a minute has died.
        curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_TIME, 60L);
    }

    ~Request()
    {
        if (m_headers)
            curl_slist_free_all(m_headers);
        if (m_handle)
            curl_easy_cleanup(m_handle);
    }

    Request(const Request &) = delete;
    Request &operator=(const Request &) = delete;

    CURL *handle() const { return m_handle; }

    void addHeader(const char *header)
    {
        m_headers = curl_slist_append(m_headers, header);
        curl_easy_setopt(m_handle, CURLOPT_HTTPHEADER, m_headers);
    }

    CURLcode perform() { return curl_easy_perform(m_handle); }

    long status() const
    {
        long code = 0;
        curl_easy_getinfo(m_handle, CURLINFO_RESPONSE_CODE, &code);
        return code;
    }

    std::string describe(CURLcode code) const
    {
        return m_error[0] ? std::string(m_error) : std::string(curl_easy_strerror(code));
    }

private:
    CURL *m_handle = nullptr;
    curl_slist *m_headers = nullptr;
    char m_error[CURL_ERROR_SIZE];
};

int requestProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *keepGoing = static_cast<const std::function<bool()> *>(user);
    return *keepGoing && !(*keepGoing)() ? 1 : 0;
}

size_t collectReply(char *data, size_t size, size_t count, void *user)
{
    auto *reply = static_cast<std::string *>(user);
    const size_t bytes = size * count;
    if (reply->size() + bytes > kMaxReplyBytes)
        return 0; // ends the transfer with a write error
    reply->append(data, bytes);
    return bytes;
}

// Server errors (5xx) mean the service is not up yet; the checker treats
// them like a missing connection and tries again soon.
Outcome outcomeOfStatus(long status)
{
    return status >= 500 ? Outcome::Unreachable : Outcome::Refused;
}

struct DownloadState {
    QFile file;
    long long offset = 0;   // bytes already in the file when this transfer began
    long long size = 0;     // bytes in the file now
    long long maxBytes = 0; // the most the file may hold
    bool statusChecked = false;
    bool badStatus = false;
    bool writeFailed = false;
    bool tooLarge = false;
    CURL *handle = nullptr;
    const UpServerClient::Progress *progress = nullptr;
    const std::function<bool()> *keepGoing = nullptr;
};

size_t writeDownload(char *data, size_t size, size_t count, void *user)
{
    auto *state = static_cast<DownloadState *>(user);
    const size_t bytes = size * count;
    if (!state->statusChecked) {
        state->statusChecked = true;
        long status = 0;
        curl_easy_getinfo(state->handle, CURLINFO_RESPONSE_CODE, &status);
        if (status == 200 && state->offset > 0) {
            // The server sends the whole file: start it again.
            if (!state->file.resize(0) || !state->file.seek(0)) {
                state->writeFailed = true;
                return 0;
            }
            state->offset = 0;
            state->size = 0;
        } else if (status != 200 && status != 206) {
            state->badStatus = true;
            return 0;
        }
    }
    // A server that keeps sending must not fill the store.
    if (state->size + static_cast<long long>(bytes) > state->maxBytes) {
        state->tooLarge = true;
        return 0;
    }
    state->size += static_cast<long long>(bytes);
    if (state->file.write(data, static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) {
        state->writeFailed = true;
        return 0;
    }
    return bytes;
}

int downloadProgress(void *user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto *state = static_cast<DownloadState *>(user);
    if (*state->keepGoing && !(*state->keepGoing)())
        return 1;
    if (!*state->progress)
        return 0;
    const long long whole = total > 0 ? state->offset + total : 0;
    return (*state->progress)(state->offset + now, whole) ? 0 : 1;
}

} // namespace

const char *packageTypeName(PackageType type)
{
    const int index = static_cast<int>(type);
    return index >= 0 && index < PackageTypeCount ? kTypeNames[index] : "";
}

bool packageTypeFromName(const std::string &name, PackageType &type)
{
    for (int i = 0; i < PackageTypeCount; ++i) {
        if (name == kTypeNames[i]) {
            type = static_cast<PackageType>(i);
            return true;
        }
    }
    return false;
}

UpServerClient::UpServerClient(std::string serverUrl, std::string caFile)
    : m_serverUrl(std::move(serverUrl))
    , m_caFile(std::move(caFile))
{
    while (!m_serverUrl.empty() && m_serverUrl.back() == '/')
        m_serverUrl.pop_back();
}

Outcome UpServerClient::checkUpdate(const Json::Value &request, Json::Value &reply, std::string &error)
{
    return putJson("/update", request, &reply, error);
}

Outcome UpServerClient::sendFeedback(const Json::Value &report, std::string &error)
{
    return putJson("/download/feedback", report, nullptr, error);
}

Outcome UpServerClient::putJson(const std::string &path, const Json::Value &body, Json::Value *reply,
                                std::string &error)
{
    Request request(m_serverUrl + path, m_caFile);
    if (!request.handle()) {
        error = "curl_easy_init failed";
        return Outcome::LocalError;
    }
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    const std::string text = Json::writeString(writer, body);
    std::string received;
    request.addHeader("Content-Type: application/json");
    request.addHeader("Accept: application/json");
    curl_easy_setopt(request.handle(), CURLOPT_CUSTOMREQUEST, "PUT");
    curl_easy_setopt(request.handle(), CURLOPT_POSTFIELDS, text.c_str());
    curl_easy_setopt(request.handle(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(text.size()));
    curl_easy_setopt(request.handle(), CURLOPT_WRITEFUNCTION, collectReply);
    curl_easy_setopt(request.handle(), CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(request.handle(), CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(request.handle(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(request.handle(), CURLOPT_XFERINFOFUNCTION, requestProgress);
    curl_easy_setopt(request.handle(), CURLOPT_XFERINFODATA, &m_keepGoing);

    const CURLcode code = request.perform();
    if (code != CURLE_OK) {
        error = request.describe(code);
        log(__LINE__, "PUT " + path + ": " + error);
        if (code == CURLE_ABORTED_BY_CALLBACK)
            return Outcome::Aborted;
        return code == CURLE_WRITE_ERROR ? Outcome::Refused : Outcome::Unreachable;
    }
    const long status = request.status();
    if (status != 200) {
        error = "HTTP status " + std::to_string(status);
        log(__LINE__, "PUT " + path + ": " + error);
        return outcomeOfStatus(status);
    }
    if (!reply)
        return Outcome::Ok;
    std::string parseError;
    if (!JsonText::parse(received, *reply, parseError) || !reply->isObject()) {
        error = "reply is not a JSON object: " + parseError;
        log(__LINE__, "PUT " + path + ": " + error);
        return Outcome::Refused;
    }
    return Outcome::Ok;
}

Outcome UpServerClient::download(const std::string &url, const std::string &path, long long maxBytes,
                                 const Progress &progress, std::string &error)
{
    DownloadState state;
    state.maxBytes = maxBytes;
    state.progress = &progress;
    state.keepGoing = &m_keepGoing;
    state.file.setFileName(QString::fromStdString(path));
    if (!state.file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        error = "cannot open " + path + ": " + state.file.errorString().toStdString();
        return Outcome::LocalError;
    }
    state.offset = state.file.size();
    state.size = state.offset;

    Request request(url, m_caFile);
    if (!request.handle()) {
        error = "curl_easy_init failed";
        return Outcome::LocalError;
    }
    state.handle = request.handle();
    if (state.offset > 0)
        curl_easy_setopt(request.handle(), CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(state.offset));
    curl_easy_setopt(request.handle(), CURLOPT_WRITEFUNCTION, writeDownload);
    curl_easy_setopt(request.handle(), CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(request.handle(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(request.handle(), CURLOPT_XFERINFOFUNCTION, downloadProgress);
    curl_easy_setopt(request.handle(), CURLOPT_XFERINFODATA, &state);

    const CURLcode code = request.perform();
    const bool flushed = state.file.flush();
    state.file.close();
    if (code == CURLE_OK && !flushed) {
        error = "cannot write " + path;
        return Outcome::LocalError;
    }
    if (code == CURLE_OK) {
        const long status = request.status();
        if (status == 200 || status == 206)
            return Outcome::Ok;
        error = "HTTP status " + std::to_string(status);
        return outcomeOfStatus(status);
    }
    error = request.describe(code);
    log(__LINE__, "download " + url + ": " + error);
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return Outcome::Aborted;
    if (state.writeFailed) {
        error = "cannot write " + path;
        return Outcome::LocalError;
    }
    if (state.tooLarge) {
        error = "more than " + std::to_string(maxBytes) + " bytes";
        return Outcome::TooLarge;
    }
    if (state.badStatus || code == CURLE_WRITE_ERROR || code == CURLE_HTTP_RETURNED_ERROR) {
        error = "HTTP status " + std::to_string(request.status());
        return outcomeOfStatus(request.status());
    }
    return Outcome::Unreachable;
}

} // namespace tmupserver
