#include "ledger/ledger.h"

#include "app/paths.h"
#include "platform/fingerprint.h"
#include "text/cp1252.h"

#include <algorithm>
#include <map>

namespace obrinex {

namespace {

constexpr std::string_view kHeader = "obrinex ledger 1";

bool isNumber(std::string_view text) {
    return !text.empty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Splits off the next blank-separated word of `rest`.
std::string_view nextWord(std::string_view& rest) {
    auto blank = rest.find(' ');
    std::string_view word = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    return word;
}

std::optional<std::vector<int>> parseRows(std::string_view text) {
    std::vector<int> rows;
    while (!text.empty()) {
        std::string_view row = text.substr(0, text.find(','));
        text.remove_prefix(std::min(text.size(), row.size() + 1));
        if (!isNumber(row) || row.size() > 3) {
            return std::nullopt;
        }
        rows.push_back(std::stoi(std::string(row)));
    }
    if (rows.empty() || !std::is_sorted(rows.begin(), rows.end())) {
        return std::nullopt;
    }
    return rows;
}

} // namespace

std::vector<LedgerLayer*> Ledger::layersOf(const std::string& path) {
    std::vector<LedgerLayer*> found;
    const std::string key = pathKey(path);
    for (auto& layer : layers) {
        if (pathKey(layer.path) == key) {
            found.push_back(&layer);
        }
    }
    return found;
}

std::vector<std::string> Ledger::files() const {
    std::vector<std::string> paths;
    std::set<std::string> seen;
    for (const auto& layer : layers) {
        if (seen.insert(pathKey(layer.path)).second) {
            paths.push_back(layer.path);
        }
    }
    return paths;
}

std::set<int> Ledger::rows() const {
    std::set<int> all;
    for (const auto& layer : layers) {
        all.insert(layer.rows.begin(), layer.rows.end());
    }
    return all;
}

std::set<std::string> Ledger::neededContents() const {
    std::set<std::string> needed;
    for (const auto& layer : layers) {
        if (layer.replaced != kNoContent) {
            needed.insert(layer.replaced);
        }
    }
    return needed;
}

std::uint64_t Ledger::nextInstallation() const {
    std::uint64_t next = 1;
    for (const auto& installation : installations) {
        next = std::max(next, installation.id + 1);
    }
    return next;
}

std::string encodeLedger(const Ledger& ledger) {
    // CR LF ends a line, as the system's editor writes it; a reader takes one CR before the LF
    // as part of the line end, so a text that itself ends with a CR reads back whole.
    std::string text = std::string(kHeader) + "\r\n";
    text += "# installation ID CAR\r\n# layer INSTALLATION ROWS WROTE REPLACED PATH\r\n";
    for (const auto& installation : ledger.installations) {
        text += "installation " + std::to_string(installation.id) + " " + installation.car + "\r\n";
    }
    for (const auto& layer : ledger.layers) {
        std::string rows;
        for (int row : layer.rows) {
            if (!rows.empty()) {
                rows += ',';
            }
            rows += std::to_string(row);
        }
        text += "layer " + std::to_string(layer.installation) + " " + rows + " " + layer.wrote + " " +
                layer.replaced + " " + layer.path + "\r\n";
    }
    return text;
}

std::optional<Ledger> decodeLedger(std::string_view text, std::string* problem) {
    auto fail = [&](const std::string& why) -> std::optional<Ledger> {
        if (problem != nullptr) {
            *problem = why;
        }
        return std::nullopt;
    };
    Ledger ledger;
    std::set<std::uint64_t> ids;
    std::size_t number = 0;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number;
        const std::string where = "line " + std::to_string(number);
        if (number == 1) {
            if (line != kHeader) {
                return fail("it does not begin with \"" + std::string(kHeader) + "\"");
            }
            continue;
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::string_view rest = line;
        const std::string_view kind = nextWord(rest);
        if (kind == "installation") {
            const std::string_view id = nextWord(rest);
            if (!isNumber(id) || !ids.insert(std::stoull(std::string(id))).second) {
                return fail(where + " has no installation number of its own");
            }
            ledger.installations.push_back({std::stoull(std::string(id)), std::string(rest)});
        } else if (kind == "layer") {
            LedgerLayer layer;
            const std::string_view id = nextWord(rest);
            auto rows = parseRows(nextWord(rest));
            layer.wrote = std::string(nextWord(rest));
            layer.replaced = std::string(nextWord(rest));
            layer.path = std::string(rest);
            if (!isNumber(id) || ids.count(std::stoull(std::string(id))) == 0) {
                return fail(where + " names no installation");
            }
            if (!rows || layer.path.empty() ||
                !(isFingerprint(layer.wrote) || layer.wrote == kPendingContent) ||
                !(isFingerprint(layer.replaced) || layer.replaced == kNoContent)) {
                return fail(where + " is no layer");
            }
            layer.installation = std::stoull(std::string(id));
            layer.rows = std::move(*rows);
            ledger.layers.push_back(std::move(layer));
        } else {
            return fail(where + " is neither an installation nor a layer");
        }
    }
    if (number == 0) {
        return fail("it is empty");
    }
    return ledger;
}

RestorePlan planRestore(const Ledger& ledger, const std::set<int>& rows, const CurrentContent& current,
                        bool force) {
    RestorePlan plan;
    // Work on a copy; layers are addressed by their index into it.
    Ledger after = ledger;
    std::vector<bool> dropped(after.layers.size(), false);
    std::map<std::string, std::vector<std::size_t>> stacks;
    std::vector<std::string> order;
    for (std::size_t i = 0; i < after.layers.size(); ++i) {
        auto [it, fresh] = stacks.try_emplace(pathKey(after.layers[i].path));
        if (fresh) {
            order.push_back(it->first);
        }
        it->second.push_back(i);
    }

    for (const std::string& key : order) {
        const std::vector<std::size_t>& stack = stacks[key];
        const bool touched = std::any_of(stack.begin(), stack.end(), [&](std::size_t i) {
            const auto& served = after.layers[i].rows;
            return std::any_of(served.begin(), served.end(), [&](int row) { return rows.count(row) > 0; });
        });
        if (!touched) {
            continue;
        }
        // The stack as it will be: rows taken out, empty layers dropped, each dropped layer's
        // replaced content passed to the layer above it.
        std::vector<LedgerLayer> layers;
        std::vector<bool> gone;
        std::optional<std::string> carry;
        for (std::size_t i : stack) {
            LedgerLayer layer = after.layers[i];
            std::erase_if(layer.rows, [&](int row) { return rows.count(row) > 0; });
            if (layer.rows.empty()) {
                if (!carry) {
                    carry = layer.replaced;
                }
                gone.push_back(true);
            } else {
                if (carry) {
                    layer.replaced = *carry;
                    carry.reset();
                }
                gone.push_back(false);
            }
            layers.push_back(std::move(layer));
        }
        const LedgerLayer& top = after.layers[stack.back()];
        if (carry) {
            // The top layer goes: the file gets the content below it.
            const std::optional<std::string> now = current(top.path);
            const bool pending = top.wrote == kPendingContent;
            const bool same = now && *now == top.wrote;
            const bool wanted = (*carry == kNoContent) ? !now : (now && *now == *carry);
            if (!wanted && !pending && !same && !force) {
                plan.refused.push_back(
                    {top.path, now ? "changed since Obrinex wrote it" : "removed since Obrinex wrote it"});
                continue;
            }
            if (!wanted) {
                if (*carry == kNoContent) {
                    plan.steps.push_back({RestoreStep::Action::Remove, top.path, {}});
                } else {
                    plan.steps.push_back({RestoreStep::Action::Restore, top.path, *carry});
                }
            }
        }
        for (std::size_t n = 0; n < stack.size(); ++n) {
            after.layers[stack[n]] = layers[n];
            dropped[stack[n]] = gone[n];
        }
    }

    std::vector<LedgerLayer> kept;
    std::set<std::uint64_t> used;
    for (std::size_t i = 0; i < after.layers.size(); ++i) {
        if (!dropped[i]) {
            used.insert(after.layers[i].installation);
            kept.push_back(std::move(after.layers[i]));
        }
    }
    after.layers = std::move(kept);
    std::erase_if(after.installations, [&](const LedgerInstallation& i) { return used.count(i.id) == 0; });
    plan.after = std::move(after);
    return plan;
}

Verification verifyLedger(const Ledger& ledger, const CurrentContent& current) {
    Verification result;
    Ledger copy = ledger;
    for (const std::string& path : copy.files()) {
        const LedgerLayer& top = *copy.layersOf(path).back();
        // A layer whose copy was cut off may or may not have reached the file.
        if (top.wrote == kPendingContent) {
            continue;
        }
        const std::optional<std::string> now = current(top.path);
        if (!now) {
            result.missing.push_back(top.path);
        } else if (*now != top.wrote) {
            result.changed.push_back(top.path);
        }
    }
    return result;
}

} // namespace obrinex
