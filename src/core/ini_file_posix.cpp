// INI values without the Windows profile functions: a small reader and
// writer that behave as those functions do for what the program asks of
// them. Section and key names compare without regard to case; values lose
// surrounding blanks and one pair of matching quotes.
#include <algorithm>
#include <cctype>
#include <vector>

#include "core/file_stream.h"
#include "core/ini_file.h"
#include "core/object.h"

namespace core {

namespace {

// A settings file is a few lines; anything much larger is not one.
constexpr std::int64_t kLargestSettingsFile = 16 * 1024 * 1024;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> readLines(const std::string& fileName) {
    std::vector<std::string> lines;
    Ref<FileStream> stream = openFileForReading(fileName);
    const std::int64_t size = stream->size();
    if (size <= 0 || size > kLargestSettingsFile) return lines;
    std::string text(static_cast<std::size_t>(size), '\0');
    text.resize(stream->read(text.data(), text.size()));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
bool sectionHeader(std::string_view line, std::string_view& name) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = trimmed(line.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line, or nothing for any other line.
bool keyOf(std::string_view line, std::string_view& key) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = trimmed(line.substr(0, equals));
    return true;
}

struct Location {
    std::size_t sectionLine = std::string::npos;  // the "[section]" line
    std::size_t sectionEnd = 0;                   // one past the section's last line with content
    std::size_t keyLine = std::string::npos;      // the "key=value" line
};

Location locate(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    Location found;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (sectionHeader(lines[i], name)) {
            if (inside) break;
            inside = sameName(name, section);
            if (inside) found.sectionLine = i, found.sectionEnd = i + 1;
            continue;
        }
        if (!inside) continue;
        if (!trimmed(lines[i]).empty()) found.sectionEnd = i + 1;
        std::string_view lineKey;
        if (found.keyLine == std::string::npos && keyOf(lines[i], lineKey) && sameName(lineKey, key)) found.keyLine = i;
    }
    return found;
}

std::string unquoted(std::string_view value) {
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The settings are replaced in one step, so a failed write keeps the old ones.
void writeLines(const std::string& fileName, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    saveFileAtomically(fileName,
                       [&text](FileStream& stream) { return stream.write(text.data(), text.size()) == text.size(); });
}

}  // namespace

std::string IniFile::valueString(const std::string& key, const std::string& value) {
    std::vector<std::string> lines = readLines(fileName_.string());
    const Location found = locate(lines, section_, key);
    if (mode_ == Writing) {
        const std::string entry = key + "=" + value;
        if (found.keyLine != std::string::npos) {
            lines[found.keyLine] = entry;
        } else if (found.sectionLine != std::string::npos) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(found.sectionEnd), entry);
        } else {
            lines.push_back("[" + section_ + "]");
            lines.push_back(entry);
        }
        writeLines(fileName_.string(), lines);
        return value;
    }
    std::string result = value;
    if (found.keyLine != std::string::npos) {
        const std::string& line = lines[found.keyLine];
        result = unquoted(std::string_view(line).substr(line.find('=') + 1));
    }
    if (result.size() >= kValueBufferSize) result.resize(kValueBufferSize - 1);
    return result;
}

}  // namespace core
