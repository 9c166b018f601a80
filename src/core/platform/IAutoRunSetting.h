#pragma once

#include <optional>

// The desktop's switch for starting removable media automatically.
class IAutoRunSetting {
public:
    virtual ~IAutoRunSetting() = default;
    // Whether AutoRun is enabled; nullopt when the desktop has no such setting.
    virtual std::optional<bool> Read() const = 0;
    // True only when the new value was stored.
    virtual bool Write(bool enabled) const = 0;
};
