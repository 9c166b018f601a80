#pragma once

// One process-wide service behind an interface: the program installs the real one at
// start, a test installs a scripted one, and without either Get() returns the built-in
// fallback. Each seam defines its fallback once, next to the service it stands in for:
//
//     template <> IWaiter& Seam<IWaiter>::Fallback() { static SleepingWaiter s; return s; }
//
// and declares that specialisation in the interface's header. An Override installs a
// service for the length of a scope and then puts back whatever was installed before it,
// so overrides nest.
template <class Service>
class Seam {
public:
    static Service& Get() { return s_installed ? *s_installed : Fallback(); }
    // The installed service, or nullptr while the fallback is in use.
    static Service* Installed() { return s_installed; }
    // Installs `service` (nullptr: back to the fallback) until the next Set.
    static void Set(Service* service) { s_installed = service; }

    class Override {
    public:
        explicit Override(Service& service) : m_previous(s_installed) { s_installed = &service; }
        ~Override() { s_installed = m_previous; }
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Service* m_previous;
    };

private:
    static Service& Fallback();
    static inline Service* s_installed = nullptr;
};
