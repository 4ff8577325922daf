#include "import/LinkCheck.h"

#include <unordered_map>

#include "import/LinkAddress.h"
#include "import/LocalLinkCheck.h"

namespace quillmap {

std::optional<std::vector<LinkOutcome>> checkLinks(const std::vector<LinkToCheck>& links,
                                                   const LinkCheckOptions& options,
                                                   const std::function<bool(std::size_t, std::size_t)>& progress)
{
    LocalLinkCheck local(options.siteFolder);
    std::vector<LinkOutcome> outcomes(links.size());
    std::vector<std::string> addresses;
    std::unordered_map<std::string, std::size_t> addressOf;
    std::vector<std::pair<std::size_t, std::size_t>> webLinks;  // link, address

    std::vector<LinkAddress> parsed;
    parsed.reserve(links.size());
    for (const LinkToCheck& link : links) parsed.push_back(parseLink(link.link));
    local.readPages(parsed);

    for (std::size_t i = 0; i < links.size(); ++i) {
        if (progress && i % 256 == 0 && !progress(i, links.size())) return std::nullopt;
        const LinkAddress& address = parsed[i];
        LinkOutcome& outcome = outcomes[i];
        switch (address.kind) {
        case LinkKind::Empty:
            if (links[i].isDocument) outcome = {LinkVerdict::Broken, "empty link"};
            break;
        case LinkKind::SamePage:
            outcome = {LinkVerdict::NotChecked, "a place in the page that shows the menu"};
            break;
        case LinkKind::Other:
            outcome = {LinkVerdict::NotChecked, "a " + address.scheme + ": link"};
            break;
        case LinkKind::Web:
            if (!options.online) {
                outcome = {LinkVerdict::NotChecked, "a web address, checked online only"};
                break;
            }
            webLinks.emplace_back(i, addressOf.try_emplace(address.path, addresses.size()).first->second);
            if (webLinks.back().second == addresses.size()) addresses.push_back(address.path);
            break;
        case LinkKind::Local: {
            std::string problem = local.problem(address);
            outcome = problem.empty() ? LinkOutcome{LinkVerdict::Good, {}}
                                      : LinkOutcome{LinkVerdict::Broken, std::move(problem)};
            break;
        }
        }
    }

    const std::size_t total = links.size() + addresses.size();
    std::vector<std::optional<std::string>> answers;
    if (!addresses.empty())
        answers = checkWebAddresses(addresses, options.web, [&](std::size_t answered) {
            return !progress || progress(links.size() + answered, total);
        });
    for (const auto& [link, address] : webLinks) {
        if (!answers[address]) return std::nullopt;
        outcomes[link] = answers[address]->empty() ? LinkOutcome{LinkVerdict::Good, {}}
                                                   : LinkOutcome{LinkVerdict::Broken, *answers[address]};
    }
    if (progress && !progress(total, total)) return std::nullopt;
    return outcomes;
}

}  // namespace quillmap
