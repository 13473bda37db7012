#pragma once

#include "core/link/Link.h"
#include "core/link/TrafficTrace.h"

#include <memory>

namespace kivo {

// A link that shows what passes through it to the traffic trace, when the trace is on.
class TracingLink final : public Link {
public:
    TracingLink(std::unique_ptr<Link> inner, TrafficTrace& trace)
        : inner_(std::move(inner)), trace_(trace)
    {
    }

    long write(std::string_view bytes) override;
    long read(std::span<char> buffer) override;
    int readTimeoutMs() const override { return inner_->readTimeoutMs(); }
    std::string errorText() const override { return inner_->errorText(); }
    std::size_t purgeReceive() override { return inner_->purgeReceive(); }
    int pauseMs() const override { return inner_->pauseMs(); }
    void close() override { inner_->close(); }

private:
    std::unique_ptr<Link> inner_;
    TrafficTrace& trace_;
};

} // namespace kivo
