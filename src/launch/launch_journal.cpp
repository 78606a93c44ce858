#include "launch/launch_journal.h"

#include <map>
#include <set>

#include "pilots/config_cfg.h"
#include "platform/error.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "platform/whole_file_steps.h"
#include "platform/working_files.h"
#include "text/checksum.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr std::string_view kHeader = "Tolvane launch journal 2";
// The first version's journals carry no checksums; they are still restored.
constexpr std::string_view kFirstVersionHeader = "Tolvane launch journal 1";
constexpr std::string_view kAnyVersionHeader = "Tolvane launch journal ";
constexpr std::size_t kTemporaryTokenLength = 16;

const std::map<std::string, MemberChange> kChanges = {{"replaced", MemberChange::Replaced},
                                                      {"added", MemberChange::Added},
                                                      {"repeated", MemberChange::Repeated},
                                                      {"kept", MemberChange::Kept}};

// The kinds of line a journal holds once at most.
const std::set<std::string> kOnce = {"package",     "game",        "backup",
                                     "executable",  "config-line", "config-link",
                                     "backup-made", "closed",      "batch-beside-program"};

// Lines a journal of the first version may hold but that are not believed from it: each would
// let a restore remove something other than a game file.
const std::set<std::string> kNotBelievedFromFirstVersion = {"temporaries", "backup-made",
                                                            "backup-folder"};

const char* ChangeName(MemberChange change) {
    for (const auto& [name, value] : kChanges) {
        if (value == change)
            return name.c_str();
    }
    return "";
}

constexpr const char* kHex = "0123456789ABCDEF";

// Fields are separated by tabs; '%', tabs and line ends inside a field are escaped.
std::string Escape(const std::string& field) {
    std::string result;
    for (char c : field) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            result += '%';
            result += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            result += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            result += c;
        }
    }
    return result;
}

// Why a line was refused; it never names the line itself, the reader adds that.
struct Refusal {
    std::string why;
};

int HexDigit(char c) {
    for (int value = 0; value < 16; ++value) {
        if (kHex[value] == c || (value >= 10 && kHex[value] + ('a' - 'A') == c))
            return value;
    }
    throw Refusal{"it has an escape this program never writes"};
}

std::string Unescape(std::string_view field) {
    std::string result;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            result += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            throw Refusal{"it has an escape this program never writes"};
        result += static_cast<char>(HexDigit(field[i + 1]) * 16 + HexDigit(field[i + 2]));
        i += 2;
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
    constexpr int kMostDigits = 9;  // far more members than a package's count could hold
    if (field.empty() || field.size() > kMostDigits ||
        field.find_first_not_of("0123456789") != std::string::npos || field == "0" ||
        field[0] == '0')
        throw Refusal{"it has no member number"};
    return std::stoi(field);
}

// Exactly the form TemporaryPrefix makes: ".tolvane-", 16 hex digits, "-".
bool IsTemporaryPrefix(const std::string& field) {
    std::size_t length = kTemporaryNameStart.size() + kTemporaryTokenLength + 1;
    return field.size() == length && field.starts_with(kTemporaryNameStart) &&
           field.back() == '-' &&
           field.find_first_not_of("0123456789abcdef", kTemporaryNameStart.size()) == length - 1;
}

// A line as a message shows it: a hostile line may be long, and a byte that no message can show
// (a NUL would end it there) is written as its hex value.
std::string Shown(const std::string& line) {
    constexpr std::size_t kLongest = 160;
    std::string shown;
    for (char c : line.substr(0, kLongest)) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return line.size() <= kLongest ? shown : shown + "...";
}

// Turns journal lines into a journal, refusing what this program never writes.
class JournalReader {
  public:
    JournalReader(const JournalFolders& folders, bool firstVersion)
        : folders_(folders), firstVersion_(firstVersion) {
        journal_.firstVersion = firstVersion;
    }

    void read(const std::vector<std::string>& f) {
        const std::string& kind = f[0];
        if (kOnce.contains(kind) && !seenOnce_.insert(kind).second)
            throw Refusal{"a journal holds one such line"};
        if (firstVersion_ && kNotBelievedFromFirstVersion.contains(kind))
            return;
        if (kind == "package") {
            journal_.package = PathField(field(f, 1));
        } else if (kind == "game") {
            journal_.gameFolder = SameFolder(field(f, 1), folders_.game, "game folder");
        } else if (kind == "backup") {
            journal_.backupFolder = SameFolder(field(f, 1), folders_.backup, "backup folder");
        } else if (kind == "executable") {
            journal_.executableName = PathField(field(f, 1));
            if (NameKey(field(f, 1)) != kGameExecutableKey)
                throw Refusal{"it names another file than the game's executable"};
            if (f.size() > 2)
                journal_.executableOriginal = f[2];
        } else if (kind == "folder") {
            journal_.createdFolders.push_back(InsidePath(field(f, 1)));
        } else if (kind == "backup-made") {
            journal_.madeBackupFolder = true;
        } else if (kind == "backup-folder") {
            journal_.createdBackupFolders.push_back(InsidePath(field(f, 1)));
        } else if (kind == "member") {
            readMember(f);
        } else if (kind == "config-line") {
            journal_.configFirstLine = field(f, 1);
            if (FirstLineWithEndOf(*journal_.configFirstLine) != *journal_.configFirstLine)
                throw Refusal{"it holds more than config.cfg's first line"};
        } else if (kind == "config-link") {
            journal_.configLink = PathField(field(f, 1));
        } else if (kind == "temporaries") {
            if (!IsTemporaryPrefix(field(f, 1)))
                throw Refusal{"it names other files than the program's working files"};
            journal_.temporaryPrefixes.push_back(field(f, 1));
        } else if (kind == "restored" || kind == "untouched") {
            readMark(MemberNumber(field(f, 1)));
        } else if (kind == "pilot") {
            journal_.pilotSwitched = true;
        } else if (kind == "batch-beside-program") {
            journal_.runBatchBesideProgram = true;
        } else if (kind == "closed") {
            journal_.closed = true;
        } else {
            throw Refusal{"it is not a line of a launch journal"};
        }
    }

    // The plan names both folders before any member: a journal without them was cut off
    // while its plan was written.
    bool cutOffBeforeItsFolders() const {
        return (journal_.gameFolder.empty() || journal_.backupFolder.empty()) &&
               journal_.members.empty();
    }

    LaunchJournal finish() {
        if (journal_.gameFolder.empty() || journal_.backupFolder.empty())
            throw Refusal{"the journal does not name its game and backup folders"};
        return std::move(journal_);
    }

  private:
    static const std::string& field(const std::vector<std::string>& f, std::size_t index) {
        if (index >= f.size())
            throw Refusal{"it lacks a field"};
        return f[index];
    }

    static fs::path SameFolder(const std::string& field, const fs::path& expected,
                               const char* what) {
        fs::path folder = PathField(field);
        if (folder.lexically_normal() != expected.lexically_normal())
            throw Refusal{std::string("it names another ") + what + " than the settings, " +
                          DisplayPath(expected)};
        return expected;
    }

    void readMember(const std::vector<std::string>& f) {
        int number = MemberNumber(field(f, 1));
        auto change = kChanges.find(field(f, 2));
        if (change == kChanges.end())
            throw Refusal{"it has no change this program makes"};
        if (!changeOf_.try_emplace(number, change->second).second)
            throw Refusal{"it names a member a second time"};
        JournalMember member{number, change->second, InsidePath(field(f, 3))};
        if (f.size() > 4)
            member.original = f[4];
        if (f.size() > 5)
            member.name = f[5];
        if (f.size() > 6)
            member.installed = f[6];
        journal_.members.push_back(member);
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
    bool firstVersion_;
    LaunchJournal journal_;
    std::map<int, MemberChange> changeOf_;
    std::set<std::string> seenOnce_;
};

// A line without the checksum this program puts at its end, and that checksum.
std::pair<std::string_view, std::string_view> WithoutChecksum(std::string_view line) {
    std::size_t tab = line.rfind('\t');
    if (tab == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, tab), line.substr(tab + 1)};
}

bool ChainsFrom(std::string_view line, std::string_view previous) {
    auto [body, checksum] = WithoutChecksum(line);
    return checksum == Checksum(body, previous);
}

// Whether two neighbours among `lines` from `first` on go on one from the other: what a line
// changed, moved or removed leaves behind it. What a power cut leaves (a line cut short, zeros, the
// stale bytes of a file system that kept the file's size but not its data) holds no such pair.
bool HoldAChainOfTheirOwn(const std::vector<std::string>& lines, std::size_t first) {
    for (std::size_t i = first; i + 1 < lines.size(); ++i) {
        if (ChainsFrom(lines[i + 1], WithoutChecksum(lines[i]).second))
            return true;
    }
    return false;
}

// The lines of a journal that may be believed, by line number, after the checks of their
// checksums. Lines that do not go on from the last good one are the remains of power cuts (any
// number of them, each followed by a resumed run) when a later line goes on from it, or when none
// does and they hold no chain of their own; otherwise a line was changed, moved or removed, and
// the journal is refused.
struct JournalLines {
    bool firstVersion = false;
    std::vector<std::pair<int, std::string>> believed;
    std::vector<std::string> refused;
    std::string lastChecksum;
    bool endsWithLineEnd = true;
};

JournalLines LinesOf(const fs::path& path, const std::string& text) {
    std::size_t headerEnd = text.find('\n');
    std::string_view header = std::string_view(text).substr(0, headerEnd);
    bool known = header == kHeader || header == kFirstVersionHeader;
    if (headerEnd != std::string::npos && header.starts_with(kAnyVersionHeader) && !known) {
        throw DamagedJournal(DisplayPath(path) +
                             " is a launch journal of another version of Tolvane.  Restore the "
                             "game folder with that version.");
    }
    if (headerEnd == std::string::npos || !known) {
        // No whole first line of a journal: the journal is written whole and flushed before the
        // first change, so what is there (nothing, zeros, stale bytes, the start of its first
        // line) is what a power cut left of its writing.
        throw UnfinishedJournal(DisplayPath(path) + " holds no launch journal");
    }
    JournalLines lines;
    lines.firstVersion = header == kFirstVersionHeader;
    lines.lastChecksum = lines.firstVersion ? "" : Checksum(kHeader);
    lines.endsWithLineEnd = text.ends_with('\n');

    // Every line that has its line end; and, where the checksums tell, the last line without it:
    // a line written whole whose line end a cut took is believed like the others (a resumed run
    // goes on from it), and any other rest of a cut is passed over with them.
    std::vector<std::string> whole;
    std::size_t start = headerEnd + 1;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        whole.push_back(text.substr(start, end - start));
    if (!lines.firstVersion && start < text.size())
        whole.push_back(text.substr(start));
    for (std::size_t i = 0; i < whole.size();) {
        int number = static_cast<int>(i) + 2;
        if (lines.firstVersion) {
            lines.believed.emplace_back(number, whole[i++]);
            continue;
        }
        if (ChainsFrom(whole[i], lines.lastChecksum)) {
            auto [body, checksum] = WithoutChecksum(whole[i]);
            lines.believed.emplace_back(number, std::string(body));
            lines.lastChecksum = checksum;
            ++i;
            continue;
        }
        std::size_t next = i + 1;
        while (next < whole.size() && !ChainsFrom(whole[next], lines.lastChecksum))
            ++next;
        if (next == whole.size() && HoldAChainOfTheirOwn(whole, i)) {
            lines.refused.push_back("line " + std::to_string(number) + " (" + Shown(whole[i]) +
                                    "): it was changed, moved or removed since it was written");
            break;
        }
        i = next;
    }
    return lines;
}

// One line of fields, with its checksum going on from `lastChecksum`, which it then becomes; a
// journal of the first version (no checksum so far) goes on as it began.
std::string LineOf(const std::vector<std::string>& fields, std::string& lastChecksum) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front())
            line += '\t';
        line += Escape(field);
    }
    if (lastChecksum.empty())
        return line + "\n";
    lastChecksum = Checksum(line, lastChecksum);
    return line + "\t" + lastChecksum + "\n";
}

std::string ReadText(const fs::path& path) {
    return InputFile(path, Links::Refuse).readAll();
}

}  // namespace

fs::path JournalPathFor(const fs::path& shipSetDir) {
    return shipSetDir / "Tolvane launch.journal";
}

std::optional<std::string> PutAsideUnwrittenJournal(const fs::path& path) {
    if (InputFile(path, Links::Refuse).size() == 0) {
        if (!RemoveOwnFile(path))
            throw Error("Could not remove " + DisplayPath(path));
        return std::nullopt;  // holds nothing to look at
    }
    fs::path aside = path.parent_path() / "Tolvane launch (never written).journal";
    for (int n = 2; IsPresent(aside) || IsLink(aside); ++n)
        aside = path.parent_path() /
                ("Tolvane launch (never written " + std::to_string(n) + ").journal");
    MoveWithoutReplacing(path, aside);
    SyncFolder(path.parent_path());
    return "The launch journal " + DisplayPath(path) +
           " was never written whole: the power went off before the launch changed anything.  "
           "Tolvane has moved it to " +
           DisplayPath(aside) + "; the game folder needs no restore.";
}

LaunchJournal ReadJournal(const fs::path& path, const JournalFolders& folders) {
    JournalLines lines = LinesOf(path, ReadText(path));
    JournalReader reader(folders, lines.firstVersion);
    std::vector<std::string> refused = lines.refused;
    for (std::size_t i = 0; i < lines.believed.size(); ++i) {
        const auto& [number, line] = lines.believed[i];
        try {
            reader.read(SplitFields(line));
        } catch (const Refusal& refusal) {
            // The first version has no checksums: a line cut short by a crash is known by what
            // follows it, the end or the first line of a run that resumed the cycle.
            bool cutShort =
                lines.firstVersion && (i + 1 == lines.believed.size() ||
                                       lines.believed[i + 1].second.starts_with("temporaries\t"));
            if (!cutShort)
                refused.push_back("line " + std::to_string(number) + " (" + Shown(line) +
                                  "): " + refusal.why);
        }
    }
    if (refused.empty() && reader.cutOffBeforeItsFolders())
        throw UnfinishedJournal(DisplayPath(path) +
                                " was cut off before it named its folders, so before any change");
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
    std::string checksum = Checksum(kHeader);
    auto line = [&](const std::vector<std::string>& fields) { return LineOf(fields, checksum); };
    // One line after another: each checksum goes on from the one before.
    std::string text = std::string(kHeader) + "\n";
    text += line({"package", FieldOf(plan.package)});
    text += line({"game", FieldOf(plan.gameFolder)});
    text += line({"backup", FieldOf(plan.backupFolder)});
    text += line({"executable", FieldOf(plan.executableName), plan.executableOriginal});
    text += line({"temporaries", TemporaryPrefix()});
    if (plan.configFirstLine)
        text += line({"config-line", *plan.configFirstLine});
    if (plan.configLink)
        text += line({"config-link", FieldOf(*plan.configLink)});
    for (const fs::path& folder : plan.createdFolders)
        text += line({"folder", FieldOf(folder)});
    if (plan.madeBackupFolder)
        text += line({"backup-made"});
    if (plan.runBatchBesideProgram)
        text += line({"batch-beside-program"});
    for (const fs::path& folder : plan.createdBackupFolders)
        text += line({"backup-folder", FieldOf(folder)});
    for (const JournalMember& member : plan.members) {
        std::vector<std::string> fields = {"member", std::to_string(member.number),
                                           ChangeName(member.change), FieldOf(member.relativePath)};
        if (!member.original.empty() || !member.name.empty() || !member.installed.empty())
            fields.push_back(member.original);
        if (!member.name.empty() || !member.installed.empty())
            fields.push_back(member.name);
        if (!member.installed.empty())
            fields.push_back(member.installed);
        text += line(fields);
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
    return JournalWriter(std::move(*file), checksum);
}

JournalWriter JournalWriter::resume(const fs::path& path) {
    JournalLines lines = LinesOf(path, ReadText(path));
    if (!lines.refused.empty())
        throw DamagedJournal(DisplayPath(path) + " has lines Tolvane refuses");
    JournalWriter writer(OutputFile::appendTo(path), lines.lastChecksum);
    if (!lines.endsWithLineEnd)
        writer.file_.write("\n");  // what a cut left stays a line of its own, passed over
    return writer;
}

void JournalWriter::noteTemporariesOfThisRun() {
    append({"temporaries", TemporaryPrefix()});
}

void JournalWriter::notePilotSwitch() {
    append({"pilot"});
}

void JournalWriter::noteMemberRestored(int number) {
    // Not synced: a lost mark only means a question about a kept pilot is asked again.
    append({"restored", std::to_string(number)}, false);
}

void JournalWriter::noteMemberUntouched(int number) {
    // Synced: a file found where an added one was to go is someone else's, and must stay.
    append({"untouched", std::to_string(number)});
}

void JournalWriter::close() {
    append({"closed"});
}

void JournalWriter::append(const std::vector<std::string>& fields, bool synced) {
    file_.write(LineOf(fields, lastChecksum_));
    if (synced)
        file_.sync();
}

}  // namespace tolvane
