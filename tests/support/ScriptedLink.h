#pragma once

#include "core/link/Link.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kivo::test {

// A link that answers reads from a script of chunks and records every write.
// An empty chunk is a read that finds nothing; a read past the script finds nothing too.
class ScriptedLink final : public Link {
public:
    struct Chunk {
        std::string bytes;
        bool fails = false;
    };

    void queue(std::string bytes) { chunks_.push_back({std::move(bytes), false}); }
    // One whole reply: the bytes, then the silence that ends it.
    void queueReply(std::string bytes)
    {
        queue(std::move(bytes));
        queue({});
    }
    void queueSilence(int reads);
    void queueFailure() { chunks_.push_back({{}, true}); }
    // From now on every write that gets through is answered with `reply` (empty: none), as a
    // device answers its commands.
    void answerWrites(std::string reply) { answer_ = std::move(reply); }
    void failWrites(bool fail) { writesLeft_ = fail ? 0 : -1; }
    // Lets `count` more writes through, then fails every one.
    void failWritesAfter(int count) { writesLeft_ = count; }

    long write(std::string_view bytes) override;
    long read(std::span<char> buffer) override;
    // Drops what `arrivedUnread` holds, as a port drops what reached it unread.
    std::size_t purgeReceive() override;
    int pauseMs() const override { return pause; }
    void close() override { closed = true; }
    std::string errorText() const override { return error_; }
    // As a pseudo-terminal waits: ten empty reads cover the panel's first-byte wait.
    int readTimeoutMs() const override { return 10; }

    // Runs once, at the next read, as if it happened while that read waited.
    std::function<void()> atNextRead;
    // Runs once, after the next write: what it queues answers what was written.
    std::function<void()> atNextWrite;

    std::vector<std::string> writes;
    // Bytes that reached the link after the reads that went before and are dropped, unread,
    // by the next purge.
    std::string arrivedUnread;
    // What pauseMs() says: a link that pauses inside replies, as a converter does.
    int pause = 0;
    int reads = 0;
    int purges = 0;
    bool closed = false;

private:
    std::deque<Chunk> chunks_;
    int writesLeft_ = -1; // -1: no limit
    std::string error_;
    std::string answer_;
};

} // namespace kivo::test

namespace kivo::test {

// Hands a test-owned link to the panel, which may close and drop it while the test still
// reads what was recorded; it can record what the panel writes on its way through.
class ForwardingLink final : public Link {
public:
    explicit ForwardingLink(Link& target, std::vector<std::string>* written = nullptr)
        : target_(&target), written_(written)
    {
    }
    // From now on the panel talks to `target`.
    void retarget(Link& target) { target_ = &target; }
    long write(std::string_view bytes) override
    {
        if (written_)
            written_->emplace_back(bytes);
        return target_->write(bytes);
    }
    long read(std::span<char> buffer) override { return target_->read(buffer); }
    std::size_t purgeReceive() override { return target_->purgeReceive(); }
    int pauseMs() const override { return target_->pauseMs(); }
    void close() override { target_->close(); }
    std::string errorText() const override { return target_->errorText(); }
    int readTimeoutMs() const override { return target_->readTimeoutMs(); }

private:
    Link* target_;
    std::vector<std::string>* written_;
};

} // namespace kivo::test
