#pragma once

#include "platform/Seam.h"

#include <optional>
#include <string>

// The desktop's handlers of URL schemes (steam:, lutris:, https:, …): which application
// opens a scheme, and opening a URL with it as the desktop would.
class IUrlHandlers {
public:
    struct Handler {
        std::string id;           // its desktop file id ("steam.desktop")
        std::string desktopFile;  // its desktop entry, "" when the desktop names none
    };

    virtual ~IUrlHandlers() = default;
    // The default handler of the scheme (without ":"), nothing when there is none.
    virtual std::optional<Handler> For(const std::string& scheme) = 0;
    // Hands the URL to its handler; false when there is none or it could not be started.
    virtual bool Open(const std::string& url) = 0;
};

// The desktop's (GioUrlHandlers) unless a test installed another.
template <>
IUrlHandlers& Seam<IUrlHandlers>::Fallback();

struct UrlHandlers : Seam<IUrlHandlers> {};
