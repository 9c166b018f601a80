#pragma once

#include "platform/IUrlHandlers.h"

#include <map>
#include <string>
#include <vector>

// Stands in for the desktop's URL handlers: `handlers` by scheme; every Open is recorded
// and answered with `opens`. Installs itself while it lives.
class FakeUrlHandlers final : public IUrlHandlers {
public:
    std::optional<Handler> For(const std::string& scheme) override
    {
        auto found = handlers.find(scheme);
        if (found == handlers.end())
            return std::nullopt;
        return found->second;
    }
    bool Open(const std::string& url) override
    {
        opened.push_back(url);
        return opens;
    }

    std::map<std::string, Handler> handlers;
    std::vector<std::string> opened;
    bool opens = true;

private:
    UrlHandlers::Override m_install{*this};
};
