#pragma once

#include <string>
#include <string_view>

namespace kivo::cli {

// Writes JSON text a value at a time; keeps track of the commas.
class JsonWriter {
public:
    void beginObject(std::string_view key = {}) { open(key, '{'); }
    void endObject() { close('}'); }
    void beginArray(std::string_view key = {}) { open(key, '['); }
    void endArray() { close(']'); }

    void value(std::string_view key, std::string_view text);
    void value(std::string_view key, const char* text) { value(key, std::string_view(text)); }
    void value(std::string_view key, long number);
    void value(std::string_view key, int number) { value(key, static_cast<long>(number)); }
    void value(std::string_view key, unsigned number) { value(key, static_cast<long>(number)); }
    void value(std::string_view key, double number);
    void value(std::string_view key, bool flag);

    const std::string& text() const { return text_; }

private:
    void open(std::string_view key, char bracket);
    void close(char bracket);
    void key(std::string_view name);
    void quoted(std::string_view text);

    std::string text_;
    bool first_ = true;
};

} // namespace kivo::cli
