#pragma once

#include "platform/IUrlHandlers.h"

// URL handlers through GIO, loaded when first asked (GioCalls): the default application
// of the MIME type "x-scheme-handler/<scheme>" from the user's and the system's
// mimeapps.list files and the applications' MimeType keys. Without GIO there is none.
class GioUrlHandlers final : public IUrlHandlers {
public:
    std::optional<Handler> For(const std::string& scheme) override;
    bool Open(const std::string& url) override;
};
