#include "launch/launch_plan.h"

#include <unordered_map>

#include "packages/package_checks.h"
#include "packages/package_validator.h"
#include "pilots/pilot_files.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/folder_index.h"
#include "platform/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kBackupInUseTitle = "Backup Folder In Use";

LaunchRefusal Damaged(const std::string& fault) {
    return {"The ShipSet you are trying to launch is damaged: " + fault +
                ".  Contact the author or redownload the file again.",
            "Invalid .Gob"};
}

// A member that reaches something other than a file, or passes through something other than a
// folder: replacing it could take a whole folder, or what a link points to, into the backup.
LaunchRefusal Unreachable(const GobMember& member, const std::string& why) {
    return {"The ShipSet cannot be launched: " + MemberLabel(member) + " " + why +
                ".  Tolvane replaces only ordinary files, so nothing has been changed.",
            "Invalid .Gob"};
}

std::string KindOf(EntryKind kind) {
    return kind == EntryKind::Folder ? "a folder" : "not an ordinary file";
}

// Settles, member by member, which game file each one reaches and what the install does to it.
class MemberPlanner {
  public:
    MemberPlanner(LaunchJournal& steps, TreeIndex& index) : steps_(steps), index_(index) {}

    std::optional<LaunchRefusal> plan(const GobMember& member) {
        if (std::optional<std::string> fault = NameFault(member.name))
            return Damaged(MemberLabel(member) + " " + *fault);
        std::string name = InstalledName(member);
        auto [first, isNew] = firstByKey_.try_emplace(MemberKey(name), steps_.members.size());
        firstOf_.push_back(first->second);
        if (!isNew) {
            JournalMember repeated = steps_.members[first->second];
            repeated.number = member.number;
            repeated.change = MemberChange::Repeated;
            steps_.members.push_back(repeated);
            return std::nullopt;
        }
        std::vector<fs::path> components = NameComponents(name);
        fs::path fileName = components.back();
        components.pop_back();

        fs::path folder = steps_.gameFolder;
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
                steps_.createdFolders.push_back(
                    (folder / component).lexically_relative(steps_.gameFolder));
            }
            folder /= entry ? entry->name : component;
        }
        FolderIndex& index = index_.folder(folder);
        const FolderEntry* entry = index.find(fileName);
        if (entry && entry->kind != EntryKind::File) {
            return Unreachable(member, "would replace " + DisplayPath(folder / entry->name) +
                                           ", which is " + KindOf(entry->kind));
        }
        if (!entry)
            index.add(fileName, EntryKind::File);
        fs::path target = folder / (entry ? entry->name : fileName);
        steps_.members.push_back({member.number,
                                  entry ? MemberChange::Replaced : MemberChange::Added,
                                  target.lexically_relative(steps_.gameFolder)});
        return std::nullopt;
    }

    // The patch files are looked for in the game's "zt" folder, which the install makes.
    void makePatchFolder() {
        FolderIndex& index = index_.folder(steps_.gameFolder);
        if (!index.find("zt")) {
            index.add("zt", EntryKind::Folder);
            steps_.createdFolders.push_back("zt");
        }
    }

    // Pilot files the ship set would replace: the player may keep the game's own, and then every
    // member that reaches the same file is left out too.
    void askAboutPilots(Prompts& prompts, const GobPackage& package) {
        for (JournalMember& member : steps_.members) {
            if (member.change != MemberChange::Replaced || !IsPilotFile(member.relativePath))
                continue;
            std::string name = DisplayName(InstalledName(package.members()[member.number - 1]));
            Answer answer = prompts.question(
                name + " is left over from the last time this ShipSet was played.\r\rReplace?",
                "Pilot Exists!", Icon::Information, Answer::No);
            if (answer == Answer::No)
                member.change = MemberChange::Kept;
        }
        for (std::size_t i = 0; i < steps_.members.size(); ++i) {
            if (steps_.members[firstOf_[i]].change == MemberChange::Kept)
                steps_.members[i].change = MemberChange::Kept;
        }
    }

  private:
    LaunchJournal& steps_;
    TreeIndex& index_;
    std::unordered_map<std::string, std::size_t> firstByKey_;  // member key to its first member
    std::vector<std::size_t> firstOf_;  // for each planned member, the first that reaches its file
};

}  // namespace

namespace {

std::variant<LaunchPlan, LaunchRefusal> Plan(Session& session, const fs::path& package) {
    const Settings& settings = session.settings;
    LaunchJournal steps;
    steps.package = package;
    steps.gameFolder = GameFolderOf(settings);
    steps.backupFolder = BackupFolderOf(settings);
    fs::path journal = JournalPathFor(ShipSetFolderOf(settings));

    TreeIndex index;  // every folder is listed once, the game folder's for the executable too
    FolderIndex& gameFiles = index.folder(steps.gameFolder);
    const FolderEntry* executable =
        steps.gameFolder.empty() ? nullptr : gameFiles.find(kGameExecutableKey);
    if (executable == nullptr || executable->kind != EntryKind::File) {
        return LaunchRefusal{"Tolvane cannot find XWINGALLIANCE.EXE in the game folder " +
                                 DisplayPath(steps.gameFolder) +
                                 ".  Set the path of the game in Options, then launch again.",
                             "Game Not Found"};
    }
    steps.executableName = executable->name;
    if (IsPresent(journal)) {
        bool closed = false;
        try {
            closed = ReadJournal(journal).closed;
        } catch (const Error&) {
        }
        if (!closed || RemoveOwnFile(journal)) {
            return LaunchRefusal{
                "The files of an earlier launch have not all been put back: "
                "their record is " +
                    DisplayPath(journal) + ".  Tolvane will not launch another ShipSet over them.",
                kBackupInUseTitle};
        }
    }
    if (HoldsAnyFile(steps.backupFolder)) {
        return LaunchRefusal{"The backup folder " + DisplayPath(steps.backupFolder) +
                                 " still holds files from an earlier launch.  Move them out of "
                                 "it before launching a ShipSet.",
                             kBackupInUseTitle};
    }

    std::optional<GobPackage> contents;
    try {
        contents.emplace(package);
    } catch (const Error& error) {
        return Damaged(error.what());
    }
    if (CarriesGameExecutable(*contents))
        return LaunchRefusal{kModifiedExeText, kModifiedExeTitle};
    MemberPlanner planner(steps, index);
    for (const GobMember& member : contents->members()) {
        if (std::optional<LaunchRefusal> refusal = planner.plan(member))
            return *refusal;
    }
    planner.makePatchFolder();
    planner.askAboutPilots(session.prompts, *contents);
    return LaunchPlan{std::move(*contents), journal, std::move(steps)};
}

}  // namespace

std::variant<LaunchPlan, LaunchRefusal> PlanLaunch(Session& session, const fs::path& package) {
    session.loadSettings();
    try {
        return Plan(session, package);
    } catch (const Error& error) {
        return LaunchRefusal{std::string(error.what()) + "\r\rNothing has been changed.",
                             "Launch Failed"};
    }
}

}  // namespace tolvane
