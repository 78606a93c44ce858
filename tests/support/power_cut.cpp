#include "support/power_cut.h"

#include <limits>
#include <set>

#include "support/test_failure.h"
#include "text/path_text.h"

namespace tolvane::testing {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

// FileStep's names, in its order.
const char* const kStepNames[] = {"open",   "read",   "create",      "write",
                                  "flush",  "close",  "list",        "look",
                                  "rename", "delete", "make folder", "remove folder"};
static_assert(std::size(kStepNames) == static_cast<std::size_t>(FileStep::RemoveFolder) + 1);

// What a power cut may leave of an append that was not flushed, besides all or none of it: a prefix
// cut inside a line (its first byte, its middle, all but its line end) or after each whole line,
// and, where the file's length reached the disk before its data, zeros or the stale bytes of an
// earlier file (line ends and tabs among them).
std::vector<std::pair<std::string, std::string>> TornForms(const std::string& bytes) {
    std::set<std::size_t> cuts = {1, bytes.size() / 2, bytes.size() - 1};
    for (std::size_t end = bytes.find('\n'); end != std::string::npos;
         end = bytes.find('\n', end + 1))
        cuts.insert(end + 1);
    std::vector<std::pair<std::string, std::string>> forms;
    for (std::size_t cut : cuts) {
        if (cut > 0 && cut < bytes.size())
            forms.emplace_back("the first " + std::to_string(cut) + " bytes", bytes.substr(0, cut));
    }
    forms.emplace_back("zeros", std::string(bytes.size(), '\0'));
    std::string stale;
    while (stale.size() < bytes.size())
        stale += "stale\tbytes 0123456789abcdef\n";
    forms.emplace_back("stale bytes", stale.substr(0, bytes.size()));
    return forms;
}

}  // namespace

void WriteTree(const fs::path& root, const Tree& tree) {
    for (const auto& entry : fs::directory_iterator(root))
        fs::remove_all(entry.path());
    for (const auto& [name, what] : tree) {
        fs::path path = root / PathFromUtf8(name.substr(0, name.size() - 1));
        if (name.ends_with("/"))
            fs::create_directory(path);
        else if (name.ends_with("@"))
            fs::create_symlink(PathFromUtf8(what), path);
        else
            WriteFileBytes(root / PathFromUtf8(name), what);
    }
}

PowerCutReplay::PowerCutReplay(fs::path root, const Tree& before) : root_(std::move(root)) {
    current_.push_back({.folder = true});
    for (const auto& [name, what] : before) {
        bool file = !name.ends_with("/") && !name.ends_with("@");
        auto [parent, entry] =
            parentOf(root_ / PathFromUtf8(file ? name : name.substr(0, name.size() - 1)));
        Node node;
        node.folder = name.ends_with("/");
        (name.ends_with("@") ? node.link : node.bytes) = what;
        current_.push_back(node);
        current_[parent].entries[entry] = static_cast<int>(current_.size() - 1);
    }
    before_ = current_;
}

std::vector<std::string> PowerCutReplay::componentsOf(const fs::path& path) const {
    fs::path relative = path.lexically_normal().lexically_relative(root_);
    std::vector<std::string> components;
    for (const fs::path& component : relative) {
        if (component == "..")
            ReportTestFailure("the run reached outside its folders: " + path.string());
        if (!component.empty() && component != ".") {
            std::u8string name = component.u8string();
            components.push_back(std::string(name.begin(), name.end()));
        }
    }
    return components;
}

int PowerCutReplay::lookUp(const fs::path& path) const {
    int node = 0;
    for (const auto& component : componentsOf(path)) {
        auto found = current_[node].entries.find(component);
        if (found == current_[node].entries.end())
            return -1;
        node = found->second;
    }
    return node;
}

std::pair<int, std::string> PowerCutReplay::parentOf(const fs::path& path) const {
    auto components = componentsOf(path);
    if (components.empty())
        ReportTestFailure("the run changed its root folder itself");
    std::string name = components.back();
    components.pop_back();
    int node = 0;
    for (const auto& component : components) {
        auto found = current_[node].entries.find(component);
        if (found == current_[node].entries.end()) {
            ReportTestFailure("the run used a folder that is not there: " + path.string());
            return {0, name};
        }
        node = found->second;
    }
    return {node, name};
}

void PowerCutReplay::change(Change change) {
    change.flushedAt = kNever;
    apply(current_, change);
    changes_.push_back(std::move(change));
}

void PowerCutReplay::apply(std::vector<Node>& nodes, const Change& change) const {
    Node& node = nodes[change.node];
    if (change.name.empty())
        node.bytes += change.bytes;
    else if (change.leadsTo < 0)
        node.entries.erase(change.name);
    else
        node.entries[change.name] = change.leadsTo;
}

void PowerCutReplay::follow(const std::vector<RecordedStep>& steps) {
    steps_ = steps;
    auto newNode = [&](bool folder) {
        current_.push_back({.folder = folder});
        before_.push_back({.folder = folder});
        return static_cast<int>(current_.size() - 1);
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const RecordedStep& step = steps[i];
        int node = lookUp(step.path);
        if (node < 0 && (step.step == FileStep::Write || step.step == FileStep::Flush))
            ReportTestFailure("the run wrote to what is not there: " + step.path.string());
        switch (step.step) {
            case FileStep::Create: {
                auto [parent, name] = parentOf(step.path);
                change({i, parent, name, newNode(false)});
                break;
            }
            case FileStep::Write:
                if (!step.bytes.empty())
                    change({i, node, "", -1, step.bytes});
                break;
            case FileStep::Flush:
                for (Change& earlier : changes_) {
                    if (earlier.node == node && earlier.flushedAt == kNever)
                        earlier.flushedAt = i;
                }
                break;
            case FileStep::Rename:
                if (node >= 0) {
                    auto [toParent, toName] = parentOf(step.to);
                    auto [fromParent, fromName] = parentOf(step.path);
                    change({i, toParent, toName, node, {}, {}, true});
                    change({i, fromParent, fromName, -1});
                }
                break;
            case FileStep::Delete:
            case FileStep::RemoveFolder:
                if (node >= 0 &&
                    (step.step == FileStep::Delete || current_[node].entries.empty())) {
                    auto [parent, name] = parentOf(step.path);
                    change({i, parent, name, -1});
                }
                break;
            case FileStep::MakeFolder: {
                int parent = 0;
                for (const auto& component : componentsOf(step.path)) {
                    auto found = current_[parent].entries.find(component);
                    if (found != current_[parent].entries.end()) {
                        parent = found->second;
                        continue;
                    }
                    int made = newNode(true);
                    change({i, parent, component, made});
                    parent = made;
                }
                break;
            }
            default:
                break;
        }
    }
}

Tree PowerCutReplay::treeOf(const std::vector<Node>& nodes) const {
    Tree tree;
    std::function<void(int, const std::string&)> walk = [&](int folder, const std::string& path) {
        for (const auto& [name, node] : nodes[folder].entries) {
            std::string entry = path.empty() ? name : path + "/" + name;
            const Node& what = nodes[node];
            if (!what.link.empty()) {
                tree[entry + "@"] = what.link;
            } else if (what.folder) {
                tree[entry + "/"] = "";
                walk(node, entry);
            } else {
                tree[entry] = what.bytes;
            }
        }
    };
    walk(0, "");
    return tree;
}

Tree PowerCutReplay::everythingKept() const {
    return treeOf(current_);
}

Tree PowerCutReplay::stateWith(std::size_t point, const std::vector<bool>& lost,
                               const std::map<std::size_t, std::string>& torn) const {
    std::vector<Node> nodes = before_;
    std::set<std::pair<int, std::string>> lostEntries;  // an entry, or a file's bytes by ""
    auto keyOf = [&](std::size_t i) { return std::pair(changes_[i].node, changes_[i].name); };
    for (std::size_t i = 0; i < changes_.size() && changes_[i].operation < point; ++i) {
        std::size_t last = changes_[i].renameArrival ? i + 1 : i;  // a rename is whole
        bool isLost = false;
        for (std::size_t j = i; j <= last; ++j)
            isLost = isLost || lost[j] || lostEntries.contains(keyOf(j));
        for (; i <= last; ++i) {
            if (isLost) {
                lostEntries.insert(keyOf(i));
            } else if (auto part = torn.find(i); part != torn.end()) {
                Change kept = changes_[i];
                kept.bytes = part->second;
                apply(nodes, kept);
                lostEntries.insert(keyOf(i));  // nothing after a torn append reached the file
            } else {
                apply(nodes, changes_[i]);
            }
        }
        --i;
    }
    return treeOf(nodes);
}

std::string PowerCutReplay::describe(const Change& change) const {
    const RecordedStep& step = steps_[change.operation];
    std::string text = "operation " + std::to_string(change.operation + 1) + " (" +
                       kStepNames[static_cast<int>(step.step)] + " " +
                       step.path.lexically_relative(root_).generic_string();
    if (!step.to.empty())
        text += " to " + step.to.lexically_relative(root_).generic_string();
    text += ")";
    if (change.name.empty())
        return text + ": its bytes";
    if (change.renameArrival)
        return text;
    return text + ": the entry " + change.name + (change.leadsTo < 0 ? " removed" : " made");
}

void PowerCutReplay::forEachState(const std::function<void(const CrashState&)>& visit,
                                  const std::function<bool(std::size_t)>& atPoint) const {
    auto flushedBy = [&](std::size_t i, std::size_t point) {
        return changes_[i].flushedAt != kNever && changes_[i].flushedAt < point;
    };
    for (std::size_t point = 0; point <= steps_.size(); ++point) {
        if (atPoint && !atPoint(point))
            continue;
        // A change and, for a rename, its departure: lost together or kept together.
        std::vector<std::vector<std::size_t>> unflushed;
        for (std::size_t i = 0; i < changes_.size() && changes_[i].operation < point; ++i) {
            std::vector<std::size_t> whole = {i};
            if (changes_[i].renameArrival)
                whole.push_back(++i);
            if (!flushedBy(whole.front(), point) || !flushedBy(whole.back(), point))
                unflushed.push_back(whole);
        }
        std::vector<bool> none(changes_.size(), false);
        visit({point, {}, stateWith(point, none)});
        auto visitLosing = [&](const std::vector<std::vector<std::size_t>>& losses) {
            std::vector<bool> lost = none;
            CrashState state{point, {}, {}};
            for (const std::vector<std::size_t>& whole : losses) {
                for (std::size_t i : whole)
                    lost[i] = true;
                state.lost.push_back(describe(changes_[whole.front()]));
            }
            state.tree = stateWith(point, lost);
            visit(state);
        };
        for (const std::vector<std::size_t>& whole : unflushed)
            visitLosing({whole});
        if (unflushed.size() > 1)
            visitLosing(unflushed);
        for (const std::vector<std::size_t>& whole : unflushed) {
            const Change& append = changes_[whole.front()];
            if (!append.name.empty())
                continue;
            for (const auto& [how, bytes] : TornForms(append.bytes)) {
                CrashState state{point, {describe(append) + " torn: " + how}, {}};
                state.tree = stateWith(point, none, {{whole.front(), bytes}});
                visit(state);
            }
        }
    }
}

}  // namespace tolvane::testing
