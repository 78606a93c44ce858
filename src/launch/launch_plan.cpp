#include "launch/launch_plan.h"

#include <set>
#include <unordered_map>

#include "game_start/run_batch.h"
#include "packages/package_checks.h"
#include "pilots/config_cfg.h"
#include "pilots/pilot_files.h"
#include "platform/case_blind_index.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "platform/working_files.h"
#include "text/checksum.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kBackupInUseTitle = "Backup Folder In Use";

// A member that reaches something other than a file, or passes through something other than a
// folder: replacing it could take a whole folder, or what a link points to, into the backup.
LaunchRefusal Unreachable(const GobMember& member, const std::string& why) {
    return {"The ShipSet cannot be launched: " + MemberLabel(member) + " " + why +
                ".  Tolvane replaces only ordinary files, so nothing has been changed.",
            "Invalid .Gob"};
}

// One of the program's own places is a link: whatever it leads to would be written or removed.
LaunchRefusal LinkAt(const fs::path& place) {
    return {DisplayPath(place) +
                " is a link.  Tolvane keeps its own files there and never reaches them through "
                "a link, so nothing has been changed.  Remove the link, then launch again.",
            "Launch Failed"};
}

std::string KindOf(EntryKind kind) {
    return kind == EntryKind::Folder ? "a folder" : "not an ordinary file";
}

bool IsBlank(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
}

// Settles, member by member, which game file each one reaches and what the install does to it.
class MemberPlanner {
  public:
    MemberPlanner(LaunchJournal& journal, TreeIndex& index) : journal_(journal), index_(index) {}

    std::optional<LaunchRefusal> plan(const GobMember& member) {
        if (IsBlank(member.name))
            return std::nullopt;  // a member without a name is skipped
        std::string name = InstalledName(member);
        auto [first, isNew] = firstByKey_.try_emplace(MemberKey(name), journal_.members.size());
        firstOf_.push_back(first->second);
        if (!isNew) {
            JournalMember repeated = journal_.members[first->second];
            repeated.number = member.number;
            repeated.change = MemberChange::Repeated;
            journal_.members.push_back(repeated);
            return std::nullopt;
        }
        std::vector<fs::path> components = NameComponents(name);
        fs::path fileName = components.back();
        components.pop_back();

        fs::path folder = journal_.gameFolder;
        for (const fs::path& component : components) {
            FolderIndex& index = index_.folder(folder);
            const FolderEntry* entry = index.find(component);
            if (entry && entry->kind != EntryKind::Folder) {
                return Unreachable(member, "needs a folder where the game has " +
                                               DisplayPath(folder / entry->name) +
                                               ", which is not a folder");
            }
            if (!entry) {
                index.add(component, EntryKind::Folder);
                journal_.createdFolders.push_back(
                    (folder / component).lexically_relative(journal_.gameFolder));
            }
            folder /= entry ? entry->name : component;
        }
        FolderIndex& index = index_.folder(folder);
        const FolderEntry* entry = index.find(fileName);
        if (entry && entry->kind != EntryKind::File) {
            return Unreachable(member, "would replace " + DisplayPath(folder / entry->name) +
                                           ", which is " + KindOf(entry->kind));
        }
        fs::path target = folder / (entry ? entry->name : fileName);
        fs::path relative = target.lexically_relative(journal_.gameFolder);
        // A short name reaches the executable as surely as its long one does.
        if (relative == relative.filename() && NameKey(Utf8Of(relative)) == kGameExecutableKey)
            return CarriesExecutableRefusal();
        // Every name the cycle makes for the member: its file, its copy in Backup, and the
        // working files of both folders.
        fs::path backup = journal_.backupFolder / relative;
        for (const fs::path& place : {target, backup, target.parent_path() / LongestTemporaryName(),
                                      backup.parent_path() / LongestTemporaryName()}) {
            if (std::optional<std::string> why = HostCannotCreate(place))
                return Unreachable(member, *why);
        }
        if (!entry)
            index.add(fileName, EntryKind::File);
        JournalMember planned{member.number, entry ? MemberChange::Replaced : MemberChange::Added,
                              relative};
        if (entry)
            planned.original = FileStamp(target);
        if (IsPilotFile(relative))
            planned.name = DisplayName(InstalledName(member));
        journal_.members.push_back(planned);
        return std::nullopt;
    }

    // The patch files are looked for in the game's "zt" folder, in whatever spelling the game or
    // the ship set gives it; the install makes it when neither has it. A file of that name means
    // there is no patch folder, and so no patch.
    std::optional<fs::path> patchFolder() {
        FolderIndex& index = index_.folder(journal_.gameFolder);
        if (const FolderEntry* entry = index.find("zt")) {
            if (entry->kind != EntryKind::Folder)
                return std::nullopt;
            return entry->name;
        }
        index.add("zt", EntryKind::Folder);
        journal_.createdFolders.push_back("zt");
        return fs::path("zt");
    }

    // Pilot files the ship set would replace: the player may keep the game's own, and then every
    // member that reaches the same file is left out too. The file is left over from an earlier
    // play of the ship set only where its bytes say so: the package's own pilot, or one that a
    // cycle's player kept; else it is the game's own pilot.
    void askAboutPilots(Prompts& prompts, const GobPackage& package, const SettingsStore& store) {
        bool playedHere = PlayedHere(store, package.path());
        for (JournalMember& member : journal_.members) {
            if (member.change != MemberChange::Replaced || !IsPilotFile(member.relativePath))
                continue;
            const GobMember& packaged = package.members()[member.number - 1];
            std::string bytes = InputFile(journal_.gameFolder / member.relativePath).readAll();
            bool leftOver = playedHere && (bytes == package.readMember(packaged, packaged.size) ||
                                           KeptByACycle(store, Checksum(bytes)));
            std::string whose = leftOver
                                    ? " is left over from the last time this ShipSet was played."
                                    : " is the game's own pilot.";
            Answer answer =
                prompts.question(DisplayName(InstalledName(packaged)) + whose + "\r\rReplace?",
                                 "Pilot Exists!", Icon::Information, Answer::No);
            if (answer == Answer::No) {
                member.change = MemberChange::Kept;
                member.original = Checksum(bytes);  // the copy in Backup comes back as these bytes
            }
        }
        // A later member reaching a kept pilot is kept with it, known by the same bytes.
        for (std::size_t i = 0; i < journal_.members.size(); ++i) {
            const JournalMember& first = journal_.members[firstOf_[i]];
            if (first.change == MemberChange::Kept) {
                journal_.members[i].change = MemberChange::Kept;
                journal_.members[i].original = first.original;
            }
        }
    }

    // What the install leaves in each pilot file: the bytes of the last member that reaches it.
    // A pilot is a few kilobytes; a member far larger is no pilot the game wrote, and is asked
    // about as before rather than read whole.
    void noteInstalledPilots(const GobPackage& package) {
        constexpr std::uint32_t kLargestPilot = 16 << 20;
        for (std::size_t i = 0; i < journal_.members.size(); ++i) {
            JournalMember& first = journal_.members[firstOf_[i]];
            if (first.change == MemberChange::Kept || !IsPilotFile(first.relativePath))
                continue;
            const GobMember& packaged = package.members()[journal_.members[i].number - 1];
            first.installed = packaged.size > kLargestPilot
                                  ? std::string()
                                  : Checksum(package.readMember(packaged, packaged.size));
        }
    }

    // The folders below Backup that the game's copies need, and which of them the install makes.
    // They are spelled as the game's folders are, exactly: where the disk tells letter case apart,
    // a folder of Backup spelled otherwise is another folder. Folders that are there already are
    // used as they are, and stay after the restore.
    std::optional<LaunchRefusal> planBackupFolders() {
        const fs::path& backup = journal_.backupFolder;
        journal_.madeBackupFolder = !IsPresent(backup);
        std::set<fs::path> looked, made;
        for (const JournalMember& member : journal_.members) {
            if (member.change != MemberChange::Replaced && member.change != MemberChange::Kept)
                continue;
            fs::path relative;
            for (const fs::path& component : member.relativePath.parent_path()) {
                bool parentMade = journal_.madeBackupFolder || made.contains(relative);
                relative /= component;
                if (!looked.insert(relative).second)
                    continue;
                fs::path folder = backup / relative;
                if (parentMade || !IsPresent(folder)) {
                    made.insert(relative);
                    journal_.createdBackupFolders.push_back(relative);
                } else if (IsLink(folder) || !IsAccessibleFolder(folder)) {
                    return LaunchRefusal{DisplayPath(folder) +
                                             " is in the way of the game's copies: it is not a "
                                             "folder.  Move it out of the backup folder, then "
                                             "launch again.",
                                         kBackupInUseTitle};
                }
            }
        }
        return std::nullopt;
    }

  private:
    LaunchJournal& journal_;
    TreeIndex& index_;
    std::unordered_map<std::string, std::size_t> firstByKey_;  // member key to its first member
    std::vector<std::size_t> firstOf_;  // for each planned member, the first that reaches its file
};

// A journal left by an earlier launch: only a closed one whose files are all back may go (a
// preview leaves it where it is).
std::optional<LaunchRefusal> EarlierJournal(const fs::path& journal, const JournalFolders& folders,
                                            const ProgramFolders& programFolders, bool preview,
                                            Prompts& prompts) {
    if (IsLink(journal))
        return LinkAt(journal);
    if (!IsPresent(journal))
        return std::nullopt;
    bool settled = false;
    RunBatchPlace batchPlace = RunBatchPlace::DataFolder;
    try {
        LaunchJournal earlier = ReadJournal(journal, folders);
        settled = earlier.closed;
        batchPlace = RunBatchPlaceOf(earlier);
        for (const JournalMember& member : earlier.members) {
            if (member.change == MemberChange::Added &&
                !earlier.settledMembers.contains(member.number))
                settled = settled && !IsPresent(folders.game / member.relativePath);
        }
    } catch (const UnfinishedJournal&) {
        // Written before the install changed anything, and never whole: out of the way it goes.
        if (preview)
            return std::nullopt;
        try {
            if (std::optional<std::string> moved = PutAsideUnwrittenJournal(journal))
                prompts.message(*moved, kUnwrittenJournalTitle, Icon::Information);
            return std::nullopt;
        } catch (const Error& error) {
            return LaunchRefusal{NothingChanged(error.what()), kBackupInUseTitle};
        }
    } catch (const DamagedJournal& error) {
        return LaunchRefusal{NothingChanged(error.what()), kBackupInUseTitle};
    } catch (const Error&) {
        // Unreadable now: whatever it records may still be out, so the launch is refused below.
    }
    if (settled && preview)
        return std::nullopt;
    if (settled) {
        // The journal is the only record that a RunXWA.bat beside the program is ours, so that
        // goes first; one that will not go does not hold up the launch.
        DeleteRunBatch(programFolders, batchPlace);
        if (RemoveOwnFile(journal))
            return std::nullopt;
    }
    return LaunchRefusal{
        "The files of an earlier launch have not all been put back: "
        "their record is " +
            DisplayPath(journal) + ".  Tolvane will not launch another ShipSet over them.",
        kBackupInUseTitle};
}

// What the plan needs to know before it looks at a single member: the game's executable, the
// program's own places, an earlier launch's leftovers, where working files will go.
std::optional<LaunchRefusal> PlanTheCycle(const ProgramFolders& folders, LaunchJournal& journal,
                                          TreeIndex& index, const fs::path& journalPath,
                                          Planning planning, Prompts& prompts) {
    FolderIndex& gameFiles = index.folder(journal.gameFolder);
    const FolderEntry* executable =
        journal.gameFolder.empty() ? nullptr : gameFiles.find(kGameExecutableKey);
    if (executable == nullptr || executable->kind != EntryKind::File) {
        return LaunchRefusal{"Tolvane cannot find XWINGALLIANCE.EXE in the game folder " +
                                 DisplayPath(journal.gameFolder) + ".  Set the path of the game " +
                                 prompts.howTo(Instruction::SetOptions) + ", then launch again.",
                             "Game Not Found"};
    }
    journal.executableName = executable->name;
    std::vector<fs::path> ownPlaces = RunBatchPlaces(folders, RunBatchPlace::BesideProgram);
    ownPlaces.push_back(journal.backupFolder);
    for (const fs::path& place : ownPlaces) {
        if (IsLink(place))
            return LinkAt(place);
    }
    if (auto refusal = EarlierJournal(journalPath, {journal.gameFolder, journal.backupFolder},
                                      folders, planning == Planning::ForPreview, prompts))
        return *refusal;
    if (HoldsAnyFile(journal.backupFolder)) {
        return LaunchRefusal{"The backup folder " + DisplayPath(journal.backupFolder) +
                                 " still holds files from an earlier launch.  Move them out of "
                                 "it before launching a ShipSet.",
                             kBackupInUseTitle};
    }
    journal.executableOriginal = FileStamp(journal.gameFolder / journal.executableName);
    journal.runBatchBesideProgram =
        RunBatchPlaceForNewCycle(folders) == RunBatchPlace::BesideProgram;
    // The working files of the executable's copy and patch, and of config.cfg where it leads.
    fs::path config = ConfigPath(journal.gameFolder);
    if (IsLink(config))
        journal.configLink = ReadLink(config);
    for (const fs::path& folder :
         {journal.gameFolder, journal.backupFolder, LinkTarget(config).parent_path()}) {
        if (std::optional<std::string> why = HostCannotCreate(folder / LongestTemporaryName())) {
            return LaunchRefusal{"Tolvane cannot make its working files in " + DisplayPath(folder) +
                                     ": their name " + *why + ".  Nothing has been changed.",
                                 "Launch Failed"};
        }
    }
    return std::nullopt;
}

std::variant<LaunchPlan, LaunchRefusal> Plan(Session& session, const fs::path& package,
                                             Planning planning) {
    std::variant<GobPackage, LaunchRefusal> opened = OpenPackageForLaunch(package);
    if (auto* refusal = std::get_if<LaunchRefusal>(&opened))
        return *refusal;
    GobPackage& contents = std::get<GobPackage>(opened);

    LaunchJournal journal;
    journal.package = package;
    journal.gameFolder = GameFolderOf(session.settings);
    journal.backupFolder = BackupFolderOf(session.settings);
    fs::path journalPath = JournalPathFor(ShipSetFolderOf(session.settings));
    TreeIndex index;  // every folder is listed once, the game folder's for the executable too
    if (auto refusal =
            PlanTheCycle(session.folders, journal, index, journalPath, planning, session.prompts))
        return *refusal;

    MemberPlanner planner(journal, index);
    for (const GobMember& member : contents.members()) {
        if (std::optional<LaunchRefusal> refusal = planner.plan(member))
            return *refusal;
    }
    std::optional<fs::path> patchFolder = planner.patchFolder();
    // What the game names before any member lands, so that exactly this comes back.
    journal.configFirstLine = ReadConfigFirstLine(journal.gameFolder);
    // A ship set launched here before may have left its pilot files in the game folder.
    if (planning == Planning::ForLaunch) {
        planner.askAboutPilots(session.prompts, contents, session.store);
        planner.noteInstalledPilots(contents);  // for the journal, which a preview never writes
    }
    if (std::optional<LaunchRefusal> refusal = planner.planBackupFolders())
        return *refusal;
    return LaunchPlan{std::move(contents), journalPath, std::move(journal), patchFolder};
}

}  // namespace

std::variant<LaunchPlan, LaunchRefusal> PlanLaunch(Session& session, const fs::path& package,
                                                   Planning planning) {
    try {
        return Plan(session, package, planning);
    } catch (const Error& error) {
        return LaunchRefusal{NothingChanged(error.what()), "Launch Failed"};
    }
}

}  // namespace tolvane
