#include "launch/install.h"

#include <set>

#include "launch/launch_file_list.h"
#include "launch/launch_journal.h"
#include "launch/zt_patch.h"
#include "packages/gob_package.h"
#include "packages/package_validator.h"
#include "pilots/pilot_files.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"
#include "platform/text.h"

namespace tolvane {
namespace {

bool FolderHoldsAnything(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && !fs::is_empty(folder, ec);
}

class Installer {
  public:
    Installer(Prompts& prompts, const LaunchPlan& plan)
        : prompts_(prompts),
          plan_(plan),
          journal_(JournalWriter::create(plan.journal, plan.package, plan.gameFolder,
                                         plan.backupFolder)) {}

    void installMembers(const GobPackage& package, Progress& progress) {
        makeFolder(plan_.backupFolder);
        for (const GobMember& member : package.members()) {
            try {
                installMember(package, member);
            } catch (const Error& error) {
                throw Error("Tolvane could not install " + MemberLabel(member) + ".\r" +
                            error.what());
            }
            progress.setValue(member.number);
        }
    }

    std::vector<fs::path> patchFiles() {
        LaunchFileList files;
        files.setFolder(gameSubfolder({"zt"}));
        files.setPattern("*.zt");
        std::vector<fs::path> paths;
        for (std::size_t i = 0; i < files.count(); ++i)
            paths.push_back(files.folder() / files.item(i));
        return paths;
    }

    fs::path backUpExecutable() {
        LaunchFileList files;
        files.setFolder(plan_.gameFolder);
        files.setPattern(kExecutablePattern);
        std::string name = files.item(0);
        if (name.empty())
            throw Error("XWINGALLIANCE.EXE is no longer in " + plan_.gameFolder.string());
        journal_.executableBackedUp(name);
        CopyFileDurably(plan_.gameFolder / name, plan_.backupFolder / name);
        return plan_.gameFolder / name;
    }

  private:
    void installMember(const GobPackage& package, const GobMember& member) {
        std::string name = InstalledName(member);
        // Checked again here: the package may have changed since the launch checks read it.
        if (std::optional<std::string> fault = NameFault(name))
            throw Error("Its name " + *fault + ".");
        std::vector<std::string> folders = NameComponents(name);
        std::string fileName = folders.back();
        folders.pop_back();

        fs::path folder = gameSubfolder(folders);
        fs::path relativeFolder = folder.lexically_relative(plan_.gameFolder);
        makeFolder(plan_.backupFolder / relativeFolder);
        fs::path target = folder / FindIgnoringCase(folder, fileName).value_or(fileName);
        fs::path relative = (relativeFolder / target.filename()).lexically_normal();
        fs::path backup = plan_.backupFolder / relative;

        bool present = IsPresent(target);
        bool repeated = !installed_.insert(UpperAscii(relative.generic_string())).second;
        MemberChange change = repeated  ? MemberChange::Repeated
                              : present ? MemberChange::Replaced
                                        : MemberChange::Added;
        bool install = !(present && IsPilotFile(target) && !askReplacePilot(name));

        journal_.memberStarting({member.number, change, relative});
        if (!install) {
            // The game's pilot stays; its backup copy lets the restore treat it like any other.
            if (change == MemberChange::Replaced)
                CopyFileDurably(target, backup);
            return;
        }
        // The game's file goes to the backup folder first (a rename on one file system), so the
        // member is written straight into place: whatever moment the program dies at, the
        // journal and the backup put the game's file back.
        if (change == MemberChange::Replaced)
            MoveFileOnto(target, backup);
        if (change == MemberChange::Repeated)
            DeleteFileIfPresent(target);  // an earlier member's file, not the game's
        OutputFile out = OutputFile::createNew(target);
        try {
            out.writeFrom(package.file(), member.offset, member.size);
            out.close();
        } catch (...) {
            std::error_code ignored;
            fs::remove(target, ignored);
            throw;
        }
    }

    bool askReplacePilot(const std::string& name) {
        return prompts_.question(DisplayName(name) +
                                     " is left over from the last time this ShipSet was "
                                     "played.\r\rReplace?",
                                 "Pilot Exists!", Icon::Information, Answer::No) == Answer::Yes;
    }

    // Follows the folders below the game folder, making (and journaling) the missing ones.
    fs::path gameSubfolder(const std::vector<std::string>& folders) {
        fs::path folder = plan_.gameFolder;
        for (const std::string& part : folders) {
            std::optional<std::string> found = FindIgnoringCase(folder, part);
            folder /= found.value_or(part);
            if (!found) {
                journal_.folderCreated(folder.lexically_relative(plan_.gameFolder));
                makeFolder(folder);
            }
        }
        return folder;
    }

    static void makeFolder(const fs::path& folder) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec || !fs::is_directory(folder, ec)) {
            Fail("Could not make the folder", folder,
                 ec ? ec : std::make_error_code(std::errc::not_a_directory));
        }
    }

    Prompts& prompts_;
    const LaunchPlan& plan_;
    JournalWriter journal_;
    std::set<std::string> installed_;
};

}  // namespace

std::variant<LaunchPlan, LaunchRefusal> PlanLaunch(Session& session, const fs::path& package) {
    session.loadSettings();
    const Settings& settings = session.settings;
    fs::path gameFolder = GameFolderOf(settings);
    LaunchPlan plan{package, gameFolder, BackupFolderOf(settings),
                    JournalPathFor(settings.shipSetDir)};

    if (gameFolder.empty() || ListFiles(gameFolder, kExecutablePattern).empty()) {
        return LaunchRefusal{"Tolvane cannot find XWINGALLIANCE.EXE in the game folder " +
                                 gameFolder.string() +
                                 ".  Set the path of the game in Options, then launch again.",
                             "Game Not Found"};
    }
    if (IsPresent(plan.journal)) {
        bool closed = false;
        try {
            closed = ReadJournal(plan.journal).closed;
        } catch (const Error&) {
        }
        std::error_code ec;
        if (!closed || !fs::remove(plan.journal, ec)) {
            return LaunchRefusal{
                "The files of an earlier launch have not all been put back: "
                "their record is " +
                    plan.journal.string() + ".  Tolvane will not launch another ShipSet over them.",
                "Backup Folder In Use"};
        }
    }
    if (FolderHoldsAnything(plan.backupFolder)) {
        return LaunchRefusal{"The backup folder " + plan.backupFolder.string() +
                                 " still holds files from an earlier launch.  Move them out of "
                                 "it before launching a ShipSet.",
                             "Backup Folder In Use"};
    }
    return plan;
}

LaunchResult LaunchShipSet(Session& session, Progress& progress, const LaunchPlan& plan) {
    session.saveSetting(kLastShipSetKey, plan.package.string());
    LaunchRecord record{plan.package, plan.journal};
    try {
        GobPackage package(plan.package);
        progress.setMaximum(static_cast<int>(package.members().size()) + 2);
        Installer installer(session.prompts, plan);
        installer.installMembers(package, progress);
        std::vector<fs::path> patches = installer.patchFiles();
        fs::path executable = installer.backUpExecutable();
        progress.advance();
        if (!patches.empty())
            ApplyZtPatches(executable, patches);
        progress.advance();
    } catch (const Error& error) {
        session.prompts.message(std::string(error.what()) +
                                    "\r\rThe game folder can be put back as it was: press "
                                    "\"Click here when done playing\".",
                                "Launch Failed", Icon::Critical);
        return {LaunchOutcome::FailedCycleOpen, record};
    }
    return {LaunchOutcome::WaitingForPilot, record};
}

}  // namespace tolvane
