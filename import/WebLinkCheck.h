#pragma once
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmap {

struct WebCheckOptions {
    std::chrono::milliseconds timeout{10000};  // for one address, its redirects included
    std::size_t parallel = 8;                  // requests at a time
    int maxRedirects = 5;
};

// Asks the servers about each http: or https: address: HEAD, then GET where the server refuses
// HEAD, following redirects. The result per address is empty when the server answers with
// success, else the reason: the status ("HTTP status 404", a redirect without a Location),
// "redirect loop", "more than 5 redirects", "no answer within 10 s", a header line too long to
// read, or the network error. keepGoing, asked as answers come
// with their count, stops the check when it returns false; the addresses not yet answered then
// have no result.
std::vector<std::optional<std::string>> checkWebAddresses(
    const std::vector<std::string>& addresses, const WebCheckOptions& options,
    const std::function<bool(std::size_t answered)>& keepGoing = {});

}  // namespace quillmap
