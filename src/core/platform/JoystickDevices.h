#pragma once

#include <map>
#include <string>

// The game controllers the person can read (the joystick devices "js<n>" of /dev/input),
// kept open without blocking while a play runs, so that a controller counts as touching
// the machine: each Drain reads whatever they sent since the one before.
class JoystickDevices {
public:
    explicit JoystickDevices(std::string folder = "/dev/input") : m_folder(std::move(folder)) {}
    ~JoystickDevices() { Close(); }
    JoystickDevices(const JoystickDevices&) = delete;
    JoystickDevices& operator=(const JoystickDevices&) = delete;

    // Opens the devices not open yet and reads every event waiting on each. True when one
    // of them was a person's (not the state a device reports when opened), or when a
    // device appeared since the last Drain (a controller switched on or plugged in).
    bool Drain();
    void Close();
    size_t Count() const { return m_devices.size(); }

private:
    bool OpenNew();

    std::string m_folder;
    std::map<std::string, int> m_devices;  // name → descriptor
    bool m_scanned = false;
};
