#include "carlog/car_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace obrinex {

namespace {

constexpr std::size_t kMax16 = 0xFFFF;

void put16(std::string& out, std::size_t value) {
    if (value > kMax16) {
        throw std::length_error("a car list count or length beyond 16 bits");
    }
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    out.append(bytes, 2);
}

void put32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const char bytes[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                           static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
    out.append(bytes, 4);
}

void putText(std::string& out, const std::string& text) {
    put16(out, text.size());
    out += text;
}

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool read16(std::uint16_t& value) {
        if (bytes_.size() < 2) {
            return false;
        }
        value = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes_[0]) |
                                           (static_cast<unsigned char>(bytes_[1]) << 8));
        bytes_.remove_prefix(2);
        return true;
    }

    bool read32(std::int32_t& value) {
        if (bytes_.size() < 4) {
            return false;
        }
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) {
            bits = (bits << 8) | static_cast<unsigned char>(bytes_[static_cast<std::size_t>(i)]);
        }
        value = static_cast<std::int32_t>(bits);
        bytes_.remove_prefix(4);
        return true;
    }

    bool readText(std::string& text) {
        std::uint16_t length = 0;
        if (!read16(length) || bytes_.size() < length) {
            return false;
        }
        auto stored = bytes_.substr(0, length);
        text.assign(stored.data(), std::min<std::size_t>(stored.find('\0'), stored.size()));
        bytes_.remove_prefix(length);
        return true;
    }

  private:
    std::string_view bytes_;
};

} // namespace

std::optional<std::string> carListLimitProblem(const std::vector<ListViewRow>& rows) {
    if (rows.size() > kMax16) {
        return "The replacement log has " + std::to_string(rows.size()) +
               " rows; a car list file holds at most 65535";
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const ListViewRow& row = rows[r];
        if (row.subItems.size() > kMax16) {
            return "Row " + std::to_string(r + 1) + " of the replacement log has " +
                   std::to_string(row.subItems.size()) + " sub-items; a car list file holds at most 65535";
        }
        std::size_t longest = row.caption.size();
        for (const auto& text : row.subItems) {
            longest = std::max(longest, text.size());
        }
        if (longest > kMax16) {
            return "A text of row " + std::to_string(r + 1) + " of the replacement log is " +
                   std::to_string(longest) +
                   " bytes long; a car list file holds at most 65535 bytes per text";
        }
    }
    return std::nullopt;
}

std::string encodeCarList(const std::vector<ListViewRow>& rows) {
    std::size_t size = 5;
    for (const ListViewRow& row : rows) {
        size += 8 + row.caption.size();
        for (const auto& text : row.subItems) {
            size += 2 + text.size();
        }
    }
    std::string out;
    out.reserve(size);
    out = "LVF";
    put16(out, rows.size());
    for (const ListViewRow& row : rows) {
        put16(out, row.subItems.size());
        put32(out, row.imageIndex);
        putText(out, row.caption);
        for (const auto& text : row.subItems) {
            putText(out, text);
        }
    }
    return out;
}

std::optional<DecodedCarList> decodeCarList(std::string_view bytes) {
    auto magic = bytes.substr(0, 3);
    if (magic.substr(0, magic.find('\0')) != "LVF") {
        return std::nullopt;
    }
    Reader reader(bytes.substr(3));
    DecodedCarList list;
    std::uint16_t rowCount = 0;
    if (!reader.read16(rowCount)) {
        list.complete = false;
        return list;
    }
    // A row takes at least 10 bytes, so a count the file cannot hold reserves nothing more.
    list.rows.reserve(std::min<std::size_t>(rowCount, bytes.size() / 10));
    for (std::uint16_t r = 0; r < rowCount; ++r) {
        ListViewRow row;
        std::uint16_t subItemCount = 0;
        bool whole =
            reader.read16(subItemCount) && reader.read32(row.imageIndex) && reader.readText(row.caption);
        row.subItems.reserve(std::min<std::size_t>(subItemCount, 16));
        for (std::uint16_t i = 0; whole && i < subItemCount; ++i) {
            std::string text;
            whole = reader.readText(text);
            row.subItems.push_back(std::move(text));
        }
        if (!whole) {
            list.complete = false;
            break;
        }
        list.rows.push_back(std::move(row));
    }
    return list;
}

} // namespace obrinex
