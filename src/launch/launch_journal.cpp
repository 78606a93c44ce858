#include "launch/launch_journal.h"

#include <map>

#include "platform/error.h"
#include "platform/file_system.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kHeader = "Tolvane launch journal 1";
constexpr const char* kExecutableKey = "XWINGALLIANCE.EXE";

const std::map<std::string, MemberChange> kChanges = {{"replaced", MemberChange::Replaced},
                                                      {"added", MemberChange::Added},
                                                      {"repeated", MemberChange::Repeated},
                                                      {"kept", MemberChange::Kept}};

const char* ChangeName(MemberChange change) {
    for (const auto& [name, value] : kChanges) {
        if (value == change)
            return name.c_str();
    }
    return "";
}

// Fields are separated by tabs; '%', tabs and line ends inside a field are escaped.
std::string Escape(const std::string& field) {
    std::string result;
    for (char c : field) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            const char* hex = "0123456789ABCDEF";
            result += '%';
            result += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            result += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            result += c;
        }
    }
    return result;
}

std::string Unescape(std::string_view field) {
    std::string result;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size()) {
            result +=
                static_cast<char>(std::stoi(std::string(field.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            result += field[i];
        }
    }
    return result;
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    for (;;) {
        std::size_t tab = line.find('\t');
        fields.push_back(Unescape(line.substr(0, tab)));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

fs::path PathField(const std::string& field) {
    return fs::path(std::u8string(field.begin(), field.end()));
}
std::string FieldOf(const fs::path& path) {
    auto text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

// Why a line was refused; it never names the line itself, the reader adds that.
struct Refusal {
    std::string why;
};

// A path below one of the journal's folders: relative, and no component leads up or nowhere.
fs::path InsidePath(const std::string& field) {
    fs::path path = PathField(field);
    if (path.empty() || path.has_root_name() || path.has_root_directory())
        throw Refusal{"it names a path that is not inside the folder"};
    for (const fs::path& component : path) {
        if (component.empty() || component == "." || component == "..")
            throw Refusal{"it names a path that leads outside the folder"};
    }
    return path;
}

int MemberNumber(const std::string& field) {
    std::size_t used = 0;
    int number = std::stoi(field, &used);
    if (used != field.size() || number < 1)
        throw Refusal{"it has no member number"};
    return number;
}

// A line as a message shows it: a hostile line may be long.
std::string Shown(const std::string& line) {
    constexpr std::size_t kLongest = 160;
    return line.size() <= kLongest ? line : line.substr(0, kLongest) + "...";
}

// Turns journal lines into a journal, refusing what this program never writes.
class JournalReader {
  public:
    explicit JournalReader(const JournalFolders& folders) : folders_(folders) {}

    void read(const std::vector<std::string>& f) {
        const std::string& kind = f.at(0);
        if (kind == "package") {
            journal_.package = PathField(f.at(1));
        } else if (kind == "game") {
            journal_.gameFolder = SameFolder(f.at(1), folders_.game, "game folder");
        } else if (kind == "backup") {
            journal_.backupFolder = SameFolder(f.at(1), folders_.backup, "backup folder");
        } else if (kind == "executable") {
            journal_.executableName = PathField(f.at(1));
            if (NameKey(f.at(1)) != kExecutableKey)
                throw Refusal{"it names another file than the game's executable"};
        } else if (kind == "folder") {
            journal_.createdFolders.push_back(InsidePath(f.at(1)));
        } else if (kind == "backup-made") {
            journal_.madeBackupFolder = true;
        } else if (kind == "backup-folder") {
            journal_.createdBackupFolders.push_back(InsidePath(f.at(1)));
        } else if (kind == "member") {
            readMember(f);
        } else if (kind == "config-line") {
            journal_.configFirstLine = f.at(1);
        } else if (kind == "temporaries") {
            if (!f.at(1).starts_with(".tolvane-") ||
                f.at(1).find_first_of("/\\:") != std::string::npos)
                throw Refusal{"it names other files than the program's working files"};
            journal_.temporaryPrefixes.push_back(f.at(1));
        } else if (kind == "restored" || kind == "untouched") {
            readMark(MemberNumber(f.at(1)));
        } else if (kind == "pilot") {
            journal_.pilotSwitched = true;
        } else if (kind == "closed") {
            journal_.closed = true;
        } else {
            throw Refusal{"it is not a line of a launch journal"};
        }
    }

    LaunchJournal finish() {
        if (journal_.gameFolder.empty() || journal_.backupFolder.empty())
            throw Refusal{"the journal does not name its game and backup folders"};
        return std::move(journal_);
    }

  private:
    static fs::path SameFolder(const std::string& field, const fs::path& expected,
                               const char* what) {
        fs::path folder = PathField(field);
        if (folder.lexically_normal() != expected.lexically_normal())
            throw Refusal{std::string("it names another ") + what + " than the settings, " +
                          DisplayPath(expected)};
        return expected;
    }

    void readMember(const std::vector<std::string>& f) {
        int number = MemberNumber(f.at(1));
        auto change = kChanges.find(f.at(2));
        if (change == kChanges.end())
            throw Refusal{"it has no change this program makes"};
        if (!changeOf_.try_emplace(number, change->second).second)
            throw Refusal{"it names a member a second time"};
        journal_.members.push_back({number, change->second, InsidePath(f.at(3))});
    }

    // Only an added file can be left untouched by the install or kept by the player unasked: a
    // mark on any other member would leave the game's own file in Backup.
    void readMark(int number) {
        auto change = changeOf_.find(number);
        if (change == changeOf_.end() || change->second != MemberChange::Added)
            throw Refusal{"it marks a member that is not an added file"};
        journal_.settledMembers.insert(number);
    }

    const JournalFolders& folders_;
    LaunchJournal journal_;
    std::map<int, MemberChange> changeOf_;
};

}  // namespace

fs::path JournalPathFor(const fs::path& shipSetDir) {
    return shipSetDir / "Tolvane launch.journal";
}

LaunchJournal ReadJournal(const fs::path& path, const JournalFolders& folders) {
    std::string text = InputFile(path, Links::Refuse).readAll();
    std::size_t headerEnd = text.find('\n');
    if (headerEnd == std::string::npos && std::string_view(kHeader).starts_with(text))
        throw UnfinishedJournal(DisplayPath(path) + " was cut off before its first line");
    if (headerEnd == std::string::npos || text.substr(0, headerEnd) != kHeader)
        throw DamagedJournal(DisplayPath(path) +
                             " is not a launch journal of Tolvane, and Tolvane keeps its own "
                             "there.  Move it out of the ShipSet directory.");

    JournalReader reader(folders);
    std::vector<std::string> refused;
    int number = 1;
    for (std::size_t start = headerEnd + 1, end;
         (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        ++number;
        try {
            reader.read(SplitFields(line));
        } catch (const Refusal& refusal) {
            refused.push_back("line " + std::to_string(number) + " (" + Shown(line) +
                              "): " + refusal.why);
        } catch (const std::logic_error&) {
            refused.push_back("line " + std::to_string(number) + " (" + Shown(line) +
                              "): it cannot be read");
        }
    }
    try {
        LaunchJournal journal = reader.finish();
        if (refused.empty())
            return journal;
    } catch (const Refusal& refusal) {
        refused.push_back(refusal.why);
    }
    std::string why = "The launch journal " + DisplayPath(path) + " has lines Tolvane refuses:";
    for (const std::string& line : refused)
        why += "\r" + line;
    throw DamagedJournal(why);
}

JournalWriter JournalWriter::create(const fs::path& path, const LaunchJournal& plan) {
    std::string text = lineOf({kHeader}) + lineOf({"package", FieldOf(plan.package)}) +
                       lineOf({"game", FieldOf(plan.gameFolder)}) +
                       lineOf({"backup", FieldOf(plan.backupFolder)}) +
                       lineOf({"executable", FieldOf(plan.executableName)}) +
                       lineOf({"temporaries", TemporaryPrefix()});
    if (plan.configFirstLine)
        text += lineOf({"config-line", *plan.configFirstLine});
    for (const fs::path& folder : plan.createdFolders)
        text += lineOf({"folder", FieldOf(folder)});
    if (plan.madeBackupFolder)
        text += lineOf({"backup-made"});
    for (const fs::path& folder : plan.createdBackupFolders)
        text += lineOf({"backup-folder", FieldOf(folder)});
    for (const JournalMember& member : plan.members) {
        text += lineOf({"member", std::to_string(member.number), ChangeName(member.change),
                        FieldOf(member.relativePath)});
    }
    std::optional<OutputFile> file(OutputFile::createNew(path));
    try {
        file->write(text);
        file->sync();
        SyncFolder(path.parent_path());  // the journal's own entry must outlive a power cut too
    } catch (const Error&) {
        file.reset();         // closed first: Windows deletes no open file
        RemoveOwnFile(path);  // nothing was done from it
        throw;
    }
    return JournalWriter(std::move(*file));
}

JournalWriter JournalWriter::resume(const fs::path& path) {
    return JournalWriter(OutputFile::appendTo(path));
}

void JournalWriter::temporariesOfThisRun() {
    append({"temporaries", TemporaryPrefix()});
}

void JournalWriter::pilotSwitched() {
    append({"pilot"});
}

void JournalWriter::memberRestored(int number) {
    // Not synced: a lost mark only means a question about a kept pilot is asked again.
    append({"restored", std::to_string(number)}, false);
}

void JournalWriter::memberUntouched(int number) {
    // Synced: a file found where an added one was to go is someone else's, and must stay.
    append({"untouched", std::to_string(number)});
}

void JournalWriter::closed() {
    append({"closed"});
}

std::string JournalWriter::lineOf(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front())
            line += '\t';
        line += Escape(field);
    }
    return line + "\n";
}

void JournalWriter::append(const std::vector<std::string>& fields, bool synced) {
    file_.write(lineOf(fields));
    if (synced)
        file_.sync();
}

}  // namespace tolvane
