#include "import/WebLinkCheck.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <set>

namespace quillmap {

namespace {

using Clock = std::chrono::steady_clock;

// One address on its way: the request now out, and the hops behind it.
struct Request {
    std::size_t address = 0;
    std::string url;
    bool get = false;
    int redirects = 0;
    std::set<std::string> seen;
    Clock::time_point deadline;
    char error[CURL_ERROR_SIZE] = {};
};

// A GET stops at the first bytes of the body: the status is all the check wants.
std::size_t stopAtBody(char*, std::size_t, std::size_t, void*) { return 0; }

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// libcurl refuses an answer with a header line longer than CURL_MAX_HTTP_HEADER: before 8.6 as
// if its memory had run out.
bool headerTooLarge(CURLcode code)
{
#if LIBCURL_VERSION_NUM >= 0x080600
    if (code == CURLE_TOO_LARGE) return true;
#endif
    return code == CURLE_OUT_OF_MEMORY;
}

std::string durationText(std::chrono::milliseconds duration)
{
    const auto ms = duration.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

class WebCheck {
public:
    WebCheck(const std::vector<std::string>& addresses, const WebCheckOptions& options)
        : addresses_(addresses), options_(options), results_(addresses.size()), multi_(curl_multi_init())
    {
    }

    std::vector<std::optional<std::string>> run(const std::function<bool(std::size_t)>& keepGoing)
    {
        std::size_t next = 0;
        while (next < addresses_.size() || !active_.empty()) {
            while (active_.size() < options_.parallel && next < addresses_.size()) {
                auto request = std::make_unique<Request>();
                request->address = next;
                request->url = addresses_[next++];
                request->seen.insert(request->url);
                request->deadline = Clock::now() + options_.timeout;
                send(std::move(request));
            }
            int running = 0;
            curl_multi_perform(multi_.get(), &running);
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left))
                if (message->msg == CURLMSG_DONE) answer(message->easy_handle, message->data.result);
            if (keepGoing && !keepGoing(answered_)) break;
            if (!active_.empty()) curl_multi_poll(multi_.get(), nullptr, 0, 100, nullptr);
        }
        for (auto& [easy, request] : active_) curl_multi_remove_handle(multi_.get(), easy.get());
        return std::move(results_);
    }

private:
    void send(std::unique_ptr<Request> request)
    {
        const auto remaining =
            std::chrono::duration_cast<std::chrono::milliseconds>(request->deadline - Clock::now()).count();
        if (remaining <= 0) return finish(*request, "no answer within " + durationText(options_.timeout));
        Easy easy(curl_easy_init());
        CURL* e = easy.get();
        curl_easy_setopt(e, CURLOPT_URL, request->url.c_str());
        curl_easy_setopt(e, CURLOPT_NOBODY, request->get ? 0L : 1L);
        if (request->get) curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &stopAtBody);
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(remaining));
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_ERRORBUFFER, request->error);
        curl_easy_setopt(e, CURLOPT_USERAGENT, "Quillmap link check");
#if LIBCURL_VERSION_NUM >= 0x075500
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
#else
        curl_easy_setopt(e, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
        curl_easy_setopt(e, CURLOPT_PRIVATE, request.get());
        request->error[0] = '\0';
        curl_multi_add_handle(multi_.get(), e);
        active_.emplace_back(std::move(easy), std::move(request));
    }

    void answer(CURL* easy, CURLcode code)
    {
        curl_multi_remove_handle(multi_.get(), easy);
        auto it = active_.begin();
        while (it->first.get() != easy) ++it;
        const Easy done = std::move(it->first);
        std::unique_ptr<Request> request = std::move(it->second);
        active_.erase(it);

        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        const bool heard = code == CURLE_OK || (code == CURLE_WRITE_ERROR && request->get && status > 0);
        if (!heard) {
            if (code == CURLE_OPERATION_TIMEDOUT)
                return finish(*request, "no answer within " + durationText(options_.timeout));
            if (headerTooLarge(code))
                return finish(*request, "the server's answer has a header line longer than " +
                                            std::to_string(CURL_MAX_HTTP_HEADER / 1024) + " KB");
            // Some servers drop a HEAD request instead of refusing it.
            if (!request->get && code != CURLE_COULDNT_RESOLVE_HOST && code != CURLE_COULDNT_CONNECT)
                return retryWithGet(std::move(request));
            return finish(*request, request->error[0] ? request->error : curl_easy_strerror(code));
        }
        char* location = nullptr;
        if (status >= 300 && status < 400 && curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
            location) {
            if (request->seen.count(location)) return finish(*request, "redirect loop");
            if (request->redirects == options_.maxRedirects)
                return finish(*request, "more than " + std::to_string(options_.maxRedirects) + " redirects");
            request->url = location;
            request->seen.insert(request->url);
            ++request->redirects;
            return send(std::move(request));
        }
        if (status >= 300 && status < 400) {
            if (!request->get) return retryWithGet(std::move(request));
            return finish(*request, "HTTP status " + std::to_string(status) + " without a Location to go to");
        }
        if (status >= 400) {
            if (!request->get) return retryWithGet(std::move(request));
            return finish(*request, "HTTP status " + std::to_string(status));
        }
        finish(*request, {});
    }

    void retryWithGet(std::unique_ptr<Request> request)
    {
        request->get = true;
        send(std::move(request));
    }

    void finish(const Request& request, std::string reason)
    {
        results_[request.address] = std::move(reason);
        ++answered_;
    }

    const std::vector<std::string>& addresses_;
    const WebCheckOptions& options_;
    std::vector<std::optional<std::string>> results_;
    std::unique_ptr<CURLM, MultiDeleter> multi_;
    std::vector<std::pair<Easy, std::unique_ptr<Request>>> active_;
    std::size_t answered_ = 0;
};

}  // namespace

std::vector<std::optional<std::string>> checkWebAddresses(const std::vector<std::string>& addresses,
                                                          const WebCheckOptions& options,
                                                          const std::function<bool(std::size_t)>& keepGoing)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return WebCheck(addresses, options).run(keepGoing);
}

}  // namespace quillmap
