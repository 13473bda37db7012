#include "core/link/SerialLink.h"

#include "core/link/PortErrors.h"

#include <libserialport.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace kivo {
namespace {

sp_parity toParity(std::uint8_t code)
{
    switch (code) {
    case 1:
        return SP_PARITY_ODD;
    case 2:
        return SP_PARITY_EVEN;
    default:
        return SP_PARITY_NONE;
    }
}

// libserialport knows one and two stop bits; one and a half is sent as two.
int toStopBits(std::uint8_t code) { return code == 0 ? 1 : 2; }

bool configure(sp_port* port, const SerialSettings& settings)
{
    return sp_set_baudrate(port, static_cast<int>(settings.baudRate)) == SP_OK &&
           sp_set_bits(port, settings.byteSize) == SP_OK &&
           sp_set_parity(port, toParity(settings.parity)) == SP_OK &&
           sp_set_stopbits(port, toStopBits(settings.stopBits)) == SP_OK &&
           sp_set_flowcontrol(port, SP_FLOWCONTROL_NONE) == SP_OK;
}

constexpr const char* closedText = "the serial port is closed";

// Why a read or write returned `result`. Called straight after the failing call: the next
// libserialport call replaces the system's error.
std::string failureText(sp_return result)
{
    switch (result) {
    case SP_ERR_FAIL: {
        const int code = sp_last_error_code();
        char* message = sp_last_error_message();
        std::string text = message ? message : std::strerror(code);
        if (message)
            sp_free_error_message(message);
        // What a USB adapter pulled out mid-session looks like.
        if (code == EIO || code == ENXIO || code == ENODEV)
            return "the port stopped working: was the adapter unplugged? (" + text + ")";
        return text;
    }
    case SP_ERR_ARG:
        return "the serial library refused the request as invalid";
    case SP_ERR_MEM:
        return "out of memory";
    case SP_ERR_SUPP:
        return "the serial port does not support this request";
    default:
        return "the serial port failed";
    }
}

} // namespace

SerialLink::SerialLink(sp_port* port, const SerialSettings& settings, ReadTimeouts timeouts)
    : StreamLink(timeouts), port_(port), settings_(settings)
{
}

SerialLink::~SerialLink() { close(); }

std::unique_ptr<SerialLink> SerialLink::open(const std::string& name,
                                             const SerialSettings& settings, ReadTimeouts timeouts,
                                             std::string& error)
{
    sp_port* port = nullptr;
    errno = 0;
    if (sp_get_port_by_name(name.c_str(), &port) != SP_OK) {
        error = explainPortOpenFailure(name, errno ? errno : ENOENT);
        return nullptr;
    }
    errno = 0;
    if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
        error = explainPortOpenFailure(name, sp_last_error_code());
        sp_free_port(port);
        return nullptr;
    }
    if (!configure(port, settings)) {
        error = "Cannot set " + std::to_string(settings.baudRate) + " baud, " +
                std::to_string(settings.byteSize) + " data bits on " + name + ": " +
                std::strerror(sp_last_error_code());
        sp_close(port);
        sp_free_port(port);
        return nullptr;
    }
    return std::unique_ptr<SerialLink>(new SerialLink(port, settings, timeouts));
}

std::vector<std::string> SerialLink::listPorts()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/serial/by-id", ec))
        names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    sp_port** ports = nullptr;
    if (sp_list_ports(&ports) == SP_OK) {
        std::vector<std::string> kernelNames;
        for (sp_port** port = ports; *port; ++port)
            kernelNames.emplace_back(sp_get_port_name(*port));
        sp_free_port_list(ports);
        std::sort(kernelNames.begin(), kernelNames.end());
        names.insert(names.end(), kernelNames.begin(), kernelNames.end());
    }
    return names;
}

long SerialLink::write(std::string_view bytes)
{
    if (!port_) {
        error_ = closedText;
        return -1;
    }
    // Time for the bytes at the line rate, and a second to spare: a write never hangs.
    const auto budgetMs = static_cast<unsigned>(bytes.size() * 10'000 / settings_.baudRate + 1000);
    const sp_return written = sp_blocking_write(port_, bytes.data(), bytes.size(), budgetMs);
    if (written < 0) {
        error_ = failureText(written);
        return -1;
    }
    return static_cast<long>(written);
}

long SerialLink::readAvailable(std::span<char> buffer, int timeoutMs)
{
    if (!port_) {
        error_ = closedText;
        return -1;
    }
    const sp_return got = sp_blocking_read_next(port_, buffer.data(), buffer.size(),
                                                static_cast<unsigned>(std::max(timeoutMs, 1)));
    if (got < 0) {
        error_ = failureText(got);
        return -1;
    }
    return static_cast<long>(got);
}

std::size_t SerialLink::purgeReceive()
{
    if (!port_)
        return 0;
    const sp_return waiting = sp_input_waiting(port_);
    sp_flush(port_, SP_BUF_INPUT);
    return waiting > 0 ? static_cast<std::size_t>(waiting) : 0;
}

void SerialLink::close()
{
    if (!port_)
        return;
    sp_close(port_);
    sp_free_port(port_);
    port_ = nullptr;
}

} // namespace kivo
