#pragma once

#include "core/base/PanelPages.h"

#include <string>
#include <vector>

namespace kivo::test {

// Records what the routines asked of the pages.
class RecordingPages final : public PanelPages {
public:
    void showPage(Page page) override { pages.push_back(page); }
    void showAbortHint(const std::string& text) override { abortHint = text; }
    void showDeviceBaud(int baud, int radioIndex) override
    {
        deviceBaud = baud;
        baudRadio = radioIndex;
    }
    void showDeviceEcho(bool on) override { deviceEcho = on; }
    void applyArrangement(int mode) override { arrangements.push_back(mode); }
    void refreshInputWindow(int window) override { refreshedInputs.push_back(window); }

    std::vector<Page> pages;
    std::string abortHint;
    int deviceBaud = 0;
    int baudRadio = -1;
    bool deviceEcho = false;
    std::vector<int> arrangements;
    std::vector<int> refreshedInputs;
};

} // namespace kivo::test
