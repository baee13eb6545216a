#include "platform/wine_registry.h"

#include "platform/platform.h"
#include "text/cp1252.h"

#include <algorithm>

namespace obrinex {

namespace {

// Windows refuses registry trees deeper than this; the limit also bounds the recursion when a
// damaged file's key tree is destroyed.
constexpr std::size_t kMaxKeyDepth = 512;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::size_t skipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isSpace(text[pos])) {
        ++pos;
    }
    return pos;
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp <= 0xFFFF) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (cp >> 10));
        out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
    }
}

// Decodes one UTF-8 character at `pos` and returns the bytes it used. A malformed sequence yields
// nothing in `out` and uses the lead byte and the continuation bytes before the fault, which is
// how Wine drops it.
std::size_t decodeUtf8(std::string_view text, std::size_t pos, std::u16string& out) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        out += static_cast<char16_t>(lead);
        return 1;
    }
    std::size_t trail = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC0 && lead < 0xE0) {
        trail = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        trail = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        trail = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 1;
    }
    std::size_t used = 1;
    for (std::size_t i = 0; i < trail; ++i) {
        if (pos + used >= text.size()) {
            return used;
        }
        const auto bits = static_cast<unsigned char>(text[pos + used]) ^ 0x80;
        if (bits >= 0x40) {
            return used;
        }
        cp = (cp << 6) | bits;
        ++used;
    }
    if (cp >= minimum && cp <= 0x10FFFF) {
        appendUtf16(out, cp);
    }
    return used;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos += decodeUtf8(text, pos, out);
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A lone surrogate, which \x escapes can produce, is kept in the three-byte form so that the
// name still round-trips to the same UTF-16.
std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(out, cp);
    }
    return out;
}

// Wine folds with the whole Unicode table; the names this program asks for are Windows-1252,
// whose letters all lie in ASCII, Latin-1 and Latin Extended-A.
char16_t foldCase(char16_t c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c < 0xC0) {
        return c;
    }
    if (c <= 0xDE && c != 0xD7) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x178) {
        return 0xFF;
    }
    const bool evenUpper = (c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) {
        return static_cast<char16_t>(c + 1);
    }
    return c;
}

std::u16string folded(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = foldCase(c);
    }
    return out;
}

// The names of a key path; nothing for a path Wine refuses: one that starts with a backslash,
// or one deeper than Windows allows. Runs of backslashes count as one, as in Wine.
std::optional<std::vector<std::u16string>> splitKeyPath(std::u16string_view path) {
    if (!path.empty() && path.front() == u'\\') {
        return std::nullopt;
    }
    std::vector<std::u16string> names;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const std::size_t end = std::min(path.find(u'\\', pos), path.size());
        if (end > pos) {
            if (names.size() == kMaxKeyDepth) {
                return std::nullopt;
            }
            names.emplace_back(path.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return names;
}

struct Unescaped {
    std::u16string text;
    // Bytes of the source up to and including the closing delimiter.
    std::size_t used = 0;
};

// Undoes Wine's escaping of a name or string up to the delimiter `endChar`: C escapes, \x with
// up to four hex digits, octal with up to three digits; any other escaped character stands for
// itself. Bytes outside ASCII are UTF-8. Nothing when the delimiter is missing.
std::optional<Unescaped> unescape(std::string_view src, char endChar) {
    Unescaped result;
    std::u16string& out = result.text;
    std::size_t pos = 0;
    while (pos < src.size() && src[pos] != endChar) {
        if (src[pos] == '\\') {
            ++pos;
            if (pos == src.size()) {
                break;
            }
            const char c = src[pos];
            char16_t control = 0;
            switch (c) {
            case 'a':
                control = 0x07;
                break;
            case 'b':
                control = 0x08;
                break;
            case 'e':
                control = 0x1B;
                break;
            case 'f':
                control = 0x0C;
                break;
            case 'n':
                control = 0x0A;
                break;
            case 'r':
                control = 0x0D;
                break;
            case 't':
                control = 0x09;
                break;
            case 'v':
                control = 0x0B;
                break;
            default:
                break;
            }
            if (control != 0) {
                out += control;
                ++pos;
                continue;
            }
            if (c == 'x') {
                ++pos;
                if (pos < src.size() && hexValue(src[pos]) >= 0) {
                    unsigned value = 0;
                    for (int i = 0; i < 4 && pos < src.size() && hexValue(src[pos]) >= 0; ++i, ++pos) {
                        value = value * 16 + static_cast<unsigned>(hexValue(src[pos]));
                    }
                    out += static_cast<char16_t>(value);
                } else {
                    out += u'x';
                }
                continue;
            }
            if (c >= '0' && c <= '7') {
                unsigned value = 0;
                for (int i = 0; i < 3 && pos < src.size() && src[pos] >= '0' && src[pos] <= '7'; ++i, ++pos) {
                    value = value * 8 + static_cast<unsigned>(src[pos] - '0');
                }
                out += static_cast<char16_t>(value);
                continue;
            }
        }
        pos += decodeUtf8(src, pos, out);
    }
    if (pos >= src.size()) {
        return std::nullopt;
    }
    result.used = pos + 1;
    return result;
}

std::string utf16leBytes(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

// Lines as Wine's reader sees them: without the line break, and ending at a NUL byte.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::optional<std::string_view> next() {
        if (pos_ >= text_.size()) {
            return std::nullopt;
        }
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line.substr(0, line.find('\0'));
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

struct ValueData {
    std::uint32_t type = RegNone;
    std::string bytes;
};

std::optional<ValueData> parseString(std::uint32_t type, std::string_view src) {
    auto text = unescape(src, '"');
    if (!text) {
        return std::nullopt;
    }
    text->text += u'\0';
    return ValueData{type, utf16leBytes(text->text)};
}

// Wine reads the number with strtoul and keeps the low 32 bits; overlong numbers saturate here.
ValueData parseDword(std::string_view src) {
    std::uint64_t value = 0;
    for (std::size_t pos = skipSpaces(src, 0); pos < src.size() && hexValue(src[pos]) >= 0; ++pos) {
        value = std::min<std::uint64_t>(value * 16 + static_cast<unsigned>(hexValue(src[pos])), 0xFFFFFFFF);
    }
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return ValueData{RegDword, bytes};
}

// Comma-separated bytes; a backslash at the end of a line continues the list on the next one.
std::optional<ValueData> parseHex(std::uint32_t type, std::string_view src, LineReader& lines) {
    std::string bytes;
    for (;;) {
        std::size_t pos = 0;
        while (pos < src.size() && hexValue(src[pos]) >= 0) {
            unsigned value = 0;
            for (; pos < src.size() && hexValue(src[pos]) >= 0; ++pos) {
                value = value * 16 + static_cast<unsigned>(hexValue(src[pos]));
                if (value > 0xFF) {
                    return std::nullopt;
                }
            }
            bytes += static_cast<char>(value);
            pos = skipSpaces(src, pos);
            if (pos < src.size() && src[pos] == ',') {
                ++pos;
            }
            pos = skipSpaces(src, pos);
        }
        if (pos == src.size()) {
            return ValueData{type, bytes};
        }
        if (src[pos] != '\\') {
            return std::nullopt;
        }
        const auto next = lines.next();
        if (!next) {
            return std::nullopt;
        }
        src = next->substr(skipSpaces(*next, 0));
    }
}

// "hex(7):" and the like: the type number in hex.
std::optional<ValueData> parseTypedHex(std::string_view src, LineReader& lines) {
    std::uint64_t type = 0;
    std::size_t pos = 0;
    for (; pos < src.size() && hexValue(src[pos]) >= 0; ++pos) {
        type = type * 16 + static_cast<unsigned>(hexValue(src[pos]));
        if (type > 0xFFFFFFFF) {
            return std::nullopt;
        }
    }
    if (pos == 0 || src.substr(pos, 2) != "):") {
        return std::nullopt;
    }
    return parseHex(static_cast<std::uint32_t>(type), src.substr(pos + 2), lines);
}

std::optional<ValueData> parseData(std::string_view src, LineReader& lines) {
    if (src.starts_with('"')) {
        return parseString(RegSz, src.substr(1));
    }
    if (src.starts_with("str:\"")) {
        return parseString(RegSz, src.substr(5));
    }
    if (src.starts_with("str(2):\"")) {
        return parseString(RegExpandSz, src.substr(8));
    }
    if (src.starts_with("str(7):\"")) {
        return parseString(7, src.substr(8));
    }
    if (src.starts_with("hex:")) {
        return parseHex(RegBinary, src.substr(4), lines);
    }
    if (src.starts_with("dword:")) {
        return parseDword(src.substr(6));
    }
    if (src.starts_with("hex(")) {
        return parseTypedHex(src.substr(4), lines);
    }
    return std::nullopt;
}

} // namespace

const WineValue* WineKey::findValue(std::string_view name) const {
    const auto found = valueIndex_.find(folded(utf8ToUtf16(name)));
    return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

WineRegistryFile::WineRegistryFile() : root_(std::make_unique<WineKey>()) {}

const WineKey* WineRegistryFile::findKey(std::string_view path) const {
    const auto names = splitKeyPath(utf8ToUtf16(path));
    if (!names) {
        return nullptr;
    }
    const WineKey* key = root_.get();
    for (const auto& name : *names) {
        const auto found = key->subkeys_.find(folded(name));
        if (found == key->subkeys_.end()) {
            return nullptr;
        }
        key = found->second.get();
    }
    return key;
}

std::optional<WineRegistryFile> WineRegistryFile::parse(std::string_view text) {
    LineReader lines(text);
    const auto header = lines.next();
    if (!header || *header != "WINE REGISTRY Version 2") {
        return std::nullopt;
    }
    WineRegistryFile file;
    std::optional<bool> arch;
    WineKey* key = nullptr;
    while (const auto next = lines.next()) {
        const std::string_view line = next->substr(skipSpaces(*next, 0));
        if (line.empty()) {
            continue;
        }
        switch (line.front()) {
        case '[': {
            key = nullptr;
            const auto path = unescape(line.substr(1), ']');
            const auto names = path ? splitKeyPath(path->text) : std::nullopt;
            if (!names) {
                break;
            }
            key = file.root_.get();
            for (const auto& name : *names) {
                auto& subkey = key->subkeys_[folded(name)];
                if (!subkey) {
                    subkey = std::make_unique<WineKey>();
                    subkey->name_ = utf16ToUtf8(name);
                }
                key = subkey.get();
            }
            break;
        }
        case '@':
        case '"': {
            if (key == nullptr) {
                break;
            }
            std::u16string name;
            std::size_t pos = 1;
            if (line.front() == '"') {
                auto unescaped = unescape(line.substr(1), '"');
                if (!unescaped) {
                    break;
                }
                name = std::move(unescaped->text);
                pos += unescaped->used;
            }
            pos = skipSpaces(line, pos);
            if (pos == line.size() || line[pos] != '=') {
                break;
            }
            pos = skipSpaces(line, pos + 1);
            // Wine creates the value before it reads the data, so bad data leaves an empty one.
            auto [slot, inserted] = key->valueIndex_.try_emplace(folded(name), key->values_.size());
            if (inserted) {
                key->values_.push_back(WineValue{utf16ToUtf8(name), RegNone, {}});
            }
            WineValue& value = key->values_[slot->second];
            auto data = parseData(line.substr(pos), lines).value_or(ValueData{});
            value.type = data.type;
            value.data = std::move(data.bytes);
            break;
        }
        case '#': {
            // Lines below a key are options of that key (#time=, #class=, #link), of no use here.
            if (key != nullptr || !line.starts_with("#arch=")) {
                break;
            }
            const std::string_view name = line.substr(6);
            if (name != "win32" && name != "win64") {
                return std::nullopt;
            }
            if (arch && *arch != (name == "win64")) {
                return std::nullopt;
            }
            arch = name == "win64";
            break;
        }
        default:
            break;
        }
    }
    file.is64Bit_ = arch.value_or(false);
    return file;
}

namespace {

class WineRegistryKey : public RegistryKey {
  public:
    WineRegistryKey(std::shared_ptr<const WineRegistryFile> file, const WineKey& key)
        : file_(std::move(file)), key_(key) {}

    std::optional<RegistryValueInfo> queryValue(const std::string& name) override {
        const WineValue* value = key_.findValue(cp1252ToUtf8(name));
        if (value == nullptr) {
            return std::nullopt;
        }
        return RegistryValueInfo{value->type, static_cast<std::uint32_t>(value->data.size())};
    }

    std::optional<std::string> readValue(const std::string& name, std::uint32_t size) override {
        const WineValue* value = key_.findValue(cp1252ToUtf8(name));
        if (value == nullptr) {
            return std::nullopt;
        }
        return value->data.substr(0, size);
    }

  private:
    // Keeps the tree alive that key_ points into.
    std::shared_ptr<const WineRegistryFile> file_;
    const WineKey& key_;
};

bool startsWithName(std::string_view path, std::string_view name) {
    return path.size() >= name.size() && equalNoCase(path.substr(0, name.size()), name) &&
           (path.size() == name.size() || path[name.size()] == '\\');
}

// The path a 32-bit program reaches in a 64-bit prefix when it asks for `path`.
std::string redirectTo32BitView(const std::string& path) {
    constexpr std::string_view software = "Software";
    constexpr std::string_view wow = "Wow6432Node";
    if (!startsWithName(path, software)) {
        return path;
    }
    std::string_view rest = std::string_view(path).substr(software.size());
    if (!rest.empty()) {
        rest.remove_prefix(1);
    }
    if (startsWithName(rest, wow)) {
        return path;
    }
    std::string redirected = path.substr(0, software.size()) + "\\" + std::string(wow);
    if (!rest.empty()) {
        redirected += "\\";
        redirected += rest;
    }
    return redirected;
}

} // namespace

WineFileRegistry::WineFileRegistry(std::shared_ptr<const WineRegistryFile> file) : file_(std::move(file)) {}

std::unique_ptr<RegistryKey> WineFileRegistry::openLocalMachineKey(const std::string& path,
                                                                   RegistryAccess /*access*/) {
    const std::string viewPath = file_->is64Bit() ? redirectTo32BitView(path) : path;
    const WineKey* key = file_->findKey(cp1252ToUtf8(viewPath));
    if (key == nullptr) {
        return nullptr;
    }
    return std::make_unique<WineRegistryKey>(file_, *key);
}

} // namespace obrinex
