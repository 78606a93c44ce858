#include "launch/launch_journal.h"

#include "platform/error.h"
#include "platform/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kHeader = "Tolvane launch journal 1";

const char* ChangeName(MemberChange change) {
    switch (change) {
        case MemberChange::Replaced:
            return "replaced";
        case MemberChange::Added:
            return "added";
        case MemberChange::Repeated:
            return "repeated";
        case MemberChange::Kept:
            return "kept";
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

MemberChange ParseChange(const std::string& name, const fs::path& journal) {
    if (name == "replaced")
        return MemberChange::Replaced;
    if (name == "added")
        return MemberChange::Added;
    if (name == "repeated")
        return MemberChange::Repeated;
    if (name == "kept")
        return MemberChange::Kept;
    throw DamagedJournal("The launch journal " + DisplayPath(journal) + " is damaged");
}

}  // namespace

fs::path JournalPathFor(const fs::path& shipSetDir) {
    return shipSetDir / "Tolvane launch.journal";
}

LaunchJournal ReadJournal(const fs::path& path) {
    std::string text = InputFile(path).readAll();
    LaunchJournal journal;
    std::size_t start = 0;
    bool first = true;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view line = std::string_view(text).substr(start, end - start);
        if (first) {
            if (line != kHeader)
                throw DamagedJournal(DisplayPath(path) + " is not a launch journal");
            first = false;
            continue;
        }
        try {
            std::vector<std::string> f = SplitFields(line);
            const std::string& kind = f[0];
            if (kind == "package")
                journal.package = PathField(f.at(1));
            else if (kind == "game")
                journal.gameFolder = PathField(f.at(1));
            else if (kind == "backup")
                journal.backupFolder = PathField(f.at(1));
            else if (kind == "folder")
                journal.createdFolders.push_back(PathField(f.at(1)));
            else if (kind == "member")
                journal.members.push_back(
                    {std::stoi(f.at(1)), ParseChange(f.at(2), path), PathField(f.at(3))});
            else if (kind == "executable")
                journal.executableName = PathField(f.at(1));
            else if (kind == "restored" || kind == "untouched")
                journal.settledMembers.insert(std::stoi(f.at(1)));
            else if (kind == "pilot")
                journal.pilotSwitched = true;
            else if (kind == "closed")
                journal.closed = true;
        } catch (const std::logic_error&) {
            throw DamagedJournal("The launch journal " + DisplayPath(path) + " is damaged");
        }
    }
    if (first)
        throw DamagedJournal(DisplayPath(path) + " is not a launch journal");
    return journal;
}

JournalWriter JournalWriter::create(const fs::path& path, const LaunchJournal& plan) {
    std::string text = lineOf({kHeader}) + lineOf({"package", FieldOf(plan.package)}) +
                       lineOf({"game", FieldOf(plan.gameFolder)}) +
                       lineOf({"backup", FieldOf(plan.backupFolder)}) +
                       lineOf({"executable", FieldOf(plan.executableName)});
    for (const fs::path& folder : plan.createdFolders)
        text += lineOf({"folder", FieldOf(folder)});
    for (const JournalMember& member : plan.members) {
        text += lineOf({"member", std::to_string(member.number), ChangeName(member.change),
                        FieldOf(member.relativePath)});
    }
    JournalWriter writer(OutputFile::createNew(path));
    writer.file_.write(text);
    writer.file_.sync();
    SyncFolder(path.parent_path());  // the journal's own entry must outlive a power cut too
    return writer;
}

JournalWriter JournalWriter::resume(const fs::path& path) {
    return JournalWriter(OutputFile::appendTo(path));
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
