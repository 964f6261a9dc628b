#include "cli/edits_reader.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "cli/command_support.h"

namespace cli {

namespace {

// The parser reads numbers with a fraction as doubles, so that one beyond
// a float's range does not stop it; the edits reader takes each from its
// text as the nearest float, as set does.
using ParsedJson =
    nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t, std::uint64_t, double>;

constexpr std::string_view kMaterialsKey = "materials";

// Counts the keys "materials" of the edits object.
class MaterialsKeyCounter {
public:
    std::size_t count() const { return count_; }

    // The parser's events.
    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(std::int64_t) { return true; }
    bool number_unsigned(std::uint64_t) { return true; }
    bool number_float(double, const std::string&) { return true; }
    bool string(std::string&) { return true; }
    bool binary(ParsedJson::binary_t&) { return true; }
    bool start_object(std::size_t) { return enter(); }
    bool start_array(std::size_t) { return enter(); }
    bool end_object() { return leave(); }
    bool end_array() { return leave(); }
    bool key(std::string& key) {
        if (depth_ == 1 && key == kMaterialsKey) ++count_;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const ParsedJson::exception&) { return false; }

private:
    bool enter() {
        ++depth_;
        return true;
    }
    bool leave() {
        --depth_;
        return true;
    }

    int depth_ = 0;  // containers open
    std::size_t count_ = 0;
};

// Which of the keys "materials" of the edits is the last, counting from 1.
std::size_t lastMaterialsKey(std::string_view text) {
    // Only "\u" escapes can spell the key in another way, so a text without
    // them that holds "materials" in quotes at most once has at most one such
    // key; only other texts need a pass of the parser to count them.
    constexpr std::string_view kQuotedKey = "\"materials\"";
    const std::size_t first = text.find(kQuotedKey);
    if (text.find("\\u") == std::string_view::npos &&
        (first == std::string_view::npos || text.find(kQuotedKey, first + 1) == std::string_view::npos))
        return 1;
    MaterialsKeyCounter counter;
    ParsedJson::sax_parse(text.begin(), text.end(), &counter);
    return counter.count();
}

// One JSON value built from the parser's events. A key given twice in an
// object takes its last value.
class ValueBuilder {
public:
    bool building() const { return !open_.empty(); }
    void open(Json container) { open_.push_back({std::move(container), {}}); }
    void key(std::string key) { open_.back().key = std::move(key); }
    void add(Json value) {
        OpenContainer& container = open_.back();
        if (container.value.is_object())
            container.value[container.key] = std::move(value);
        else
            container.value.push_back(std::move(value));
    }
    // Closes the innermost container; gives the whole value when that was
    // the outermost one.
    std::optional<Json> close() {
        Json closed = std::move(open_.back().value);
        open_.pop_back();
        if (open_.empty()) return closed;
        add(std::move(closed));
        return std::nullopt;
    }

private:
    struct OpenContainer {
        Json value;
        std::string key;  // of the value being read, in an object
    };
    std::vector<OpenContainer> open_;  // outermost first
};

// Reads the edits from the parser's events (see readEdits). The lists
// "materials" before the last one are skipped unread.
class EditsReader {
public:
    EditsReader(std::size_t materialsKeyToTake, const EntryTaker& takeEntry)
        : materialsKeyToTake_(materialsKeyToTake), takeEntry_(takeEntry) {}

    bool isObject() const { return isObject_; }
    Json takeFields() { return std::move(fields_); }
    // Why the parser stopped.
    const std::string& failure() const { return failure_; }

    // The parser's events.
    bool null() { return scalar(nullptr); }
    bool boolean(bool value) { return scalar(value); }
    bool number_integer(std::int64_t value) { return scalar(value); }
    bool number_unsigned(std::uint64_t value) { return scalar(value); }
    bool number_float(double, const std::string& text) {
        // Infinity beyond a float's range, for the field to refuse.
        const std::optional<float> number = floatOfText(text);
        if (!number) return stop("the number " + text + " cannot be read");
        return scalar(*number);
    }
    bool string(std::string& value) { return scalar(std::move(value)); }
    bool binary(ParsedJson::binary_t&) { return true; }  // not in JSON text
    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool key(std::string& key) {
        if (skipped_ > 0) return true;
        if (builder_.building()) {
            builder_.key(std::move(key));
        } else {
            key_ = std::move(key);
            if (key_ == kMaterialsKey) ++materialsKeys_;
        }
        return true;
    }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string& token, const ParsedJson::exception& error) {
        if (dynamic_cast<const ParsedJson::out_of_range*>(&error) != nullptr)  // a number beyond even a double's range
            return stop("the number " + token + " (ending at byte " + std::to_string(position) +
                        ") is too large to read");
        return stop("not JSON (" + std::string(error.what()) + ")");
    }

private:
    // Where a value that starts now belongs.
    enum class Level { Edits, Field, Entry };

    bool scalar(Json value) {
        if (skipped_ > 0) return true;
        if (builder_.building())
            builder_.add(std::move(value));
        else
            take(std::move(value));
        return true;
    }

    bool open(Json container) {
        if (skipped_ > 0) {
            ++skipped_;
        } else if (builder_.building()) {
            builder_.open(std::move(container));
        } else if (level_ == Level::Edits) {
            isObject_ = container.is_object();
            if (isObject_)
                level_ = Level::Field;
            else
                ++skipped_;
        } else if (level_ == Level::Field && key_ == kMaterialsKey && container.is_array()) {
            fields_[key_] = Json::array();
            if (materialsKeys_ == materialsKeyToTake_)
                level_ = Level::Entry;
            else
                ++skipped_;
        } else {
            builder_.open(std::move(container));
        }
        return true;
    }

    bool close() {
        if (skipped_ > 0) {
            --skipped_;
        } else if (builder_.building()) {
            if (std::optional<Json> whole = builder_.close()) take(std::move(*whole));
        } else {
            level_ = level_ == Level::Entry ? Level::Field : Level::Edits;
        }
        return true;
    }

    // A whole value read at the current level.
    void take(Json value) {
        if (level_ == Level::Field)
            fields_[key_] = std::move(value);
        else if (level_ == Level::Entry)
            takeEntry_(value, entries_++);
    }

    bool stop(std::string failure) {
        failure_ = std::move(failure);
        return false;
    }

    const std::size_t materialsKeyToTake_;
    const EntryTaker& takeEntry_;
    Level level_ = Level::Edits;
    std::size_t skipped_ = 0;  // containers open inside one that is skipped, itself included
    ValueBuilder builder_;     // the value being read at its level
    bool isObject_ = false;
    Json fields_ = Json::object();
    std::string key_;  // of the field being read
    std::size_t materialsKeys_ = 0;
    std::size_t entries_ = 0;  // of the list taken
    std::string failure_;
};

}  // namespace

ReadEdits readEdits(std::string_view text, const EntryTaker& takeEntry) {
    EditsReader reader(lastMaterialsKey(text), takeEntry);
    ReadEdits edits;
    if (!ParsedJson::sax_parse(text.begin(), text.end(), &reader)) edits.failure = reader.failure();
    edits.isObject = reader.isObject();
    edits.fields = reader.takeFields();
    return edits;
}

}  // namespace cli
