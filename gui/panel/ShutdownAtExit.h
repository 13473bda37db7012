#pragma once

namespace kivo {
class PanelApp;
}

namespace kivo::gui {

// Qt ends the process with exit() when the connection to the display breaks (a logout, a
// display server that died), and no window event comes first. While one of these lives, such
// an end still shuts the panel down in order: the device gets its echo back and the settings
// are saved. One exists at a time.
class ShutdownAtExit {
public:
    explicit ShutdownAtExit(PanelApp& app);
    ~ShutdownAtExit();
    ShutdownAtExit(const ShutdownAtExit&) = delete;
    ShutdownAtExit& operator=(const ShutdownAtExit&) = delete;
};

} // namespace kivo::gui
