// GIO before Qt (its "signals" would clash without QT_NO_KEYWORDS).
#include "platform/GioCalls.h"

#include "platform/GioUrlHandlers.h"

#include <cstring>

template <>
IUrlHandlers& Seam<IUrlHandlers>::Fallback()
{
    static GioUrlHandlers desktop;
    return desktop;
}

std::optional<IUrlHandlers::Handler> GioUrlHandlers::For(const std::string& scheme)
{
    const GioCalls* gio = GioCalls::Get();
    if (!gio || scheme.empty())
        return std::nullopt;
    GAppInfo* info = gio->app_info_get_default_for_uri_scheme(scheme.c_str());
    if (!info)
        return std::nullopt;
    Handler handler;
    if (const char* id = gio->app_info_get_id(info))
        handler.id = id;
    // On Linux every application GIO knows is a desktop entry; the type is checked all
    // the same before the entry's own function is called.
    if (std::strcmp(gio->type_name_from_instance(reinterpret_cast<GTypeInstance*>(info)), "GDesktopAppInfo") == 0) {
        if (const char* file = gio->desktop_app_info_get_filename(reinterpret_cast<GDesktopAppInfo*>(info)))
            handler.desktopFile = file;
    }
    gio->object_unref(info);
    return handler;
}

bool GioUrlHandlers::Open(const std::string& url)
{
    const GioCalls* gio = GioCalls::Get();
    if (!gio)
        return false;
    GError* error = nullptr;
    const bool opened = gio->app_info_launch_default_for_uri(url.c_str(), nullptr, &error);
    if (error)
        g_error_free(error);
    return opened;
}
