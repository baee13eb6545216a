#include "games/vdf.h"

#include "text/cp1252.h"

#include <algorithm>

namespace obrinex {

namespace {

class VdfReader {
  public:
    explicit VdfReader(std::string_view text) : text_(text) {}

    // The keys up to the end of the text (depth 0) or up to the closing brace of a block.
    bool readKeys(std::vector<VdfNode>& out, int depth) {
        if (depth > kMaxVdfDepth) {
            return false;
        }
        while (true) {
            skipBlanksAndComments();
            if (pos_ == text_.size()) {
                return depth == 0;
            }
            if (text_[pos_] == '}') {
                ++pos_;
                return depth > 0;
            }
            VdfNode node;
            if (!readString(node.key)) {
                return false;
            }
            skipCondition();
            skipBlanksAndComments();
            if (pos_ == text_.size()) {
                return false;
            }
            if (text_[pos_] == '{') {
                ++pos_;
                node.isBlock = true;
                if (!readKeys(node.children, depth + 1)) {
                    return false;
                }
            } else if (!readString(node.value)) {
                return false;
            }
            skipCondition();
            out.push_back(std::move(node));
        }
    }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipBlanksAndComments() {
        while (pos_ < text_.size()) {
            if (isBlank(text_[pos_])) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                auto end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                break;
            }
        }
    }

    // A condition such as [$WIN32] on the same line as what it qualifies.
    void skipCondition() {
        std::size_t at = pos_;
        while (at < text_.size() && (text_[at] == ' ' || text_[at] == '\t')) {
            ++at;
        }
        if (at < text_.size() && text_[at] == '[') {
            auto end = text_.find(']', at);
            if (end != std::string_view::npos) {
                pos_ = end + 1;
            }
        }
    }

    bool readString(std::string& out) {
        if (pos_ >= text_.size() || text_[pos_] == '{' || text_[pos_] == '}') {
            return false;
        }
        if (text_[pos_] != '"') {
            while (pos_ < text_.size() && !isBlank(text_[pos_]) && text_[pos_] != '{' && text_[pos_] != '}' &&
                   text_[pos_] != '"') {
                out += text_[pos_++];
            }
            return true;
        }
        ++pos_;
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') {
                return true;
            }
            if (c == '\\' && pos_ < text_.size()) {
                char escaped = text_[pos_++];
                switch (escaped) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case '\\':
                case '"':
                    out += escaped;
                    break;
                default:
                    // Windows paths in older files hold single backslashes; keep them.
                    out += '\\';
                    out += escaped;
                }
                continue;
            }
            out += c;
        }
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<std::vector<VdfNode>> parseVdf(std::string_view text) {
    std::vector<VdfNode> nodes;
    VdfReader reader(text);
    if (!reader.readKeys(nodes, 0)) {
        return std::nullopt;
    }
    return nodes;
}

std::optional<std::vector<std::string>> steamLibraryFolders(std::string_view text) {
    auto nodes = parseVdf(text);
    if (!nodes) {
        return std::nullopt;
    }
    std::vector<std::string> folders;
    for (const VdfNode& root : *nodes) {
        if (!root.isBlock || !equalNoCase(root.key, "libraryfolders")) {
            continue;
        }
        for (const VdfNode& entry : root.children) {
            if (!isNumber(entry.key)) {
                continue;
            }
            if (!entry.isBlock) {
                folders.push_back(entry.value);
                continue;
            }
            for (const VdfNode& field : entry.children) {
                if (!field.isBlock && equalNoCase(field.key, "path")) {
                    folders.push_back(field.value);
                    break;
                }
            }
        }
    }
    return folders;
}

} // namespace obrinex
