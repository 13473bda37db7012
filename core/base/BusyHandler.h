#pragma once

namespace kivo {

// What the front end does while an exchange with the device blocks: it keeps its window
// painted and drops the operator's clicks and keys (a click must never be carried out after
// the exchange it interrupted), and it reports a request to close as an abort. A front end
// without a window keeps the defaults, which do nothing.
class BusyHandler {
public:
    virtual ~BusyHandler() = default;
    virtual void whileBusy() {}
    virtual bool abortRequested() const { return false; }
};

} // namespace kivo
