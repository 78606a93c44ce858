#include "launch/install.h"

#include <optional>
#include <set>

#include "launch/zt_patch.h"
#include "packages/launch_refusal.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/folder_listing.h"
#include "platform/folder_steps.h"
#include "platform/whole_file_steps.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

class Installer {
  public:
    Installer(const LaunchPlan& plan, JournalWriter& writer)
        : plan_(plan), journal_(plan.journal), writer_(writer) {}

    // Each new folder's entry reaches the disk before anything moves into it: after a power cut,
    // a Backup folder that vanished would take every original in it along.
    void makeFolders() {
        std::set<fs::path> parents;
        auto make = [&](const fs::path& folder) {
            MakeFolders(folder);
            parents.insert(folder.parent_path());
        };
        make(journal_.backupFolder);
        for (const fs::path& folder : journal_.createdBackupFolders)
            make(journal_.backupFolder / folder);
        for (const fs::path& folder : journal_.createdFolders)
            make(journal_.gameFolder / folder);
        for (const fs::path& parent : parents)
            SyncFolder(parent);
    }

    void installMembers(Progress& progress) {
        for (const JournalMember& step : journal_.members) {
            const GobMember& member = plan_.package.members()[step.number - 1];
            try {
                installMember(member, step);
            } catch (const Error& error) {
                throw Error("Tolvane could not install " + MemberLabel(member) + ".\r" +
                            error.what());
            }
            progress.setValue(step.number);
        }
    }

    std::vector<fs::path> patchFiles() const {
        if (!plan_.patchFolder)
            return {};
        fs::path folder = journal_.gameFolder / *plan_.patchFolder;
        std::vector<fs::path> paths;
        for (const fs::path& name : ListFiles(folder, "*.zt"))
            paths.push_back(folder / name);
        return paths;
    }

    fs::path backUpExecutable() const {
        fs::path executable = journal_.gameFolder / journal_.executableName;
        CopyWithoutReplacing(executable, journal_.backupFolder / journal_.executableName);
        return executable;
    }

  private:
    void installMember(const GobMember& member, const JournalMember& step) {
        fs::path target = journal_.gameFolder / step.relativePath;
        switch (step.change) {
            case MemberChange::Kept:
                // The game plays with its own pilot; a copy from before lets the player go back.
                if (keptPilots_.insert(step.relativePath).second)
                    CopyWithoutReplacing(target, journal_.backupFolder / step.relativePath);
                return;
            case MemberChange::Replaced:
                // The game's file goes to the backup folder first (a rename on one file system),
                // so the member is written straight into place: whatever moment the program dies
                // at, the journal and the backup put the game's file back.
                MoveWithoutReplacing(target, journal_.backupFolder / step.relativePath);
                break;
            case MemberChange::Repeated:
                DeleteFileIfPresent(target);  // an earlier member's file, not the game's
                break;
            case MemberChange::Added:
                break;
        }
        std::optional<OutputFile> out(createMember(step, target));
        try {
            out->writeFrom(plan_.package.file(), member.offset, member.size);
            out->close();
        } catch (...) {
            out.reset();            // closed first: Windows deletes no open file
            RemoveOwnFile(target);  // our own half-written file; the game's is in Backup
            throw;
        }
    }

    // A file found where an added member was to go is not ours: the restore must leave it.
    OutputFile createMember(const JournalMember& step, const fs::path& target) {
        try {
            return OutputFile::createNew(target);
        } catch (const Error&) {
            if (step.change == MemberChange::Added)
                writer_.noteMemberUntouched(step.number);
            throw;
        }
    }

    const LaunchPlan& plan_;
    const LaunchJournal& journal_;
    JournalWriter& writer_;
    std::set<fs::path> keptPilots_;
};

}  // namespace

LaunchResult LaunchShipSet(SettingsStore& store, Prompts& prompts, Progress& progress,
                           const LaunchPlan& plan) {
    LaunchedShipSet record{plan.journal.package, plan.journalPath};
    // The journal first, then the setting: an open journal alone leads the next start to the
    // restore, so a crash between the two, or a setting that cannot be kept, loses nothing.
    std::optional<JournalWriter> writer;
    try {
        writer.emplace(JournalWriter::create(plan.journalPath, plan.journal));
        store.save(kSettingsSection, kLastShipSetKey, Utf8Of(plan.journal.package));
    } catch (const Error& error) {
        if (writer) {
            writer.reset();  // closed first: Windows deletes no open file
            RemoveOwnFile(plan.journalPath);
        }
        prompts.message(NothingChanged(error.what()), "Launch Failed", Icon::Critical);
        return {LaunchOutcome::NotStarted, record};
    }
    try {
        NotePlayedHere(store, plan.journal.package);
    } catch (const Error&) {
        // Only the wording of a later question about pilot files depends on it.
    }
    try {
        progress.setMaximum(static_cast<int>(plan.journal.members.size()) + 2);
        Installer installer(plan, *writer);
        installer.makeFolders();
        installer.installMembers(progress);
        std::vector<fs::path> patches = installer.patchFiles();
        fs::path executable = installer.backUpExecutable();
        progress.advance();
        if (!patches.empty())
            ApplyZtPatches(executable, patches);
        progress.advance();
    } catch (const Error& error) {
        return {LaunchOutcome::FailedCycleOpen, record, error.what()};
    }
    return {LaunchOutcome::WaitingForPilot, record};
}

}  // namespace tolvane
